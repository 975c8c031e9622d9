// The keyboard in the lists and on the buttons as users know it from elsewhere: typing jumps to
// an entry past its leading blanks, and Enter presses a focused button.
#pragma once

class QComboBox;
class QPushButton;

/// Lets typing in the list, closed or open, jump to the next entry whose text starts with the
/// letters typed, its leading blanks left aside and case aside ("amd k6-2 4" reaches
/// " AMD K6-2 400AFR(100MHz,4.0x,2.2V)"). Letters typed within the platform's keyboard input
/// interval add up; the same letter typed again goes on to the next entry starting with it. A
/// blank goes on with a search but starts none (on a closed list it opens the list, as before).
/// Reaching an entry of the closed list picks it, as the arrow keys do (activated() is raised);
/// in the open list it becomes the current entry, which Enter picks. The entries' texts stay as
/// they are.
void addTypeAhead(QComboBox *list);

/// Drops the keys that reach the list's entries after they closed. With a screen reader on this
/// platform every key goes to the reader first and reaches the program late; the Enter that picked
/// an entry and closed the entries would then come once more and pick the entry again.
void dropLateKeys(QComboBox *list);

/// Lets Enter and Return press the button while it has the focus, as Space does. The button
/// does not become a default button: Enter elsewhere in the window does not press it.
void addEnterPress(QPushButton *button);
