#include "calc/DialogMessages.h"

#include "framework/StringTable.h"

#include <QGuiApplication>
#include <QMessageBox>

void ShowDialogWarning(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("dialogMessage"));
    box.exec();
}

bool AskDialogYesNo(QWidget* parent, unsigned stringId) {
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(),
                    QString::fromStdString(LoadString(stringId)),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("dialogMessage"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}
