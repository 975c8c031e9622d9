// The guide page's one error: something of the window the page could not repeat exactly.
#pragma once

#include <QString>

#include <stdexcept>

/// Something of the window the page could not repeat exactly; ends the writing with its reason.
class PageError : public std::runtime_error
{
public:
    explicit PageError(const QString &reason)
        : std::runtime_error(reason.toStdString())
    {
    }
};
