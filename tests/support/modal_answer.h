// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Answering a real modal dialog in a test: the dialog's own event loop
// runs, and a timer started before it opened finds it there.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace lumo::test {

/// Answers the next modal dialog from a timer started before it opens.
class ModalAnswer : public QObject {
  public:
    explicit ModalAnswer(std::function<void(QWidget *)> answer) : answer_(std::move(answer)) {
        connect(&poll_, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            poll_.stop();
            answered_ = true;
            answer_(modal);
            // Whatever the check made of it, the dialog must not stay open.
            if (modal->isVisible())
                modal->close();
        });
        poll_.start(10);
    }
    bool answered() const { return answered_; }

  private:
    std::function<void(QWidget *)> answer_;
    QTimer poll_;
    bool answered_ = false;
};

} // namespace lumo::test
