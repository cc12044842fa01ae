// Message boxes of the formula and settings dialogs, texts taken from the string table.
#pragma once

#include <QString>

class QWidget;

// A warning with an OK button; returns when the user has closed it.
void ShowDialogWarning(QWidget* parent, const QString& text);
// A Yes/No question from string stringId; true for Yes.
[[nodiscard]] bool AskDialogYesNo(QWidget* parent, unsigned stringId);
