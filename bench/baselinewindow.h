// The window the guide's speed and memory are measured against: the guide's size and place, its
// three lists and two buttons, and nothing drawn.
#pragma once

#include <QWidget>

class QComboBox;

class BaselineWindow : public QWidget
{
public:
    /// The lists hold the guide's entries with the guide's default positions selected; the
    /// controls take the guide's boxes but keep the toolkit's own fonts and colors.
    BaselineWindow();

    /// The list of that name ("CBOCPU", "cbops", "cbosdr"), or null.
    QComboBox *list(const char *name) const;
};
