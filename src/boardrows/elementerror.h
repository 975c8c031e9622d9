// The one error type of element operations: it names the element and the operation that failed.
#pragma once

#include <stdexcept>
#include <string>

class ElementError : public std::runtime_error
{
public:
    ElementError(const std::string &element, const std::string &operation, const std::string &reason)
        : std::runtime_error("Element \"" + element + "\": " + operation + " failed: " + reason + ".")
    {
    }
};
