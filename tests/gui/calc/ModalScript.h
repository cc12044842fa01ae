// Answers the next modal dialog a test opens: the action runs once a new modal window is up.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

// Runs action on the first modal widget that differs from the one active now. Polls the event
// loop (including the nested loop of the modal run); gives up with a test failure after about
// five seconds so that a dialog that never opens does not hang the test.
inline void OnNextModal(std::function<void(QWidget*)> action) {
    QWidget* const before = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto attempts = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, before, attempts, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != before && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
            return;
        }
        if (++*attempts > 1000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal dialog opened";
        }
    });
    timer->start();
}

// Answers the next message box with button and records its text in text (when given).
inline void AnswerNextMessage(QMessageBox::StandardButton button, std::string* text = nullptr) {
    OnNextModal([button, text](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr) << "expected a message box";
        if (text)
            *text = box->text().toStdString();
        box->button(button)->click();
    });
}
