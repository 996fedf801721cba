// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/result_source.h"

#include <QLocale>
#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace lumo::teacher {

class ReadQueue;
class TeacherDialogs;

/// "ถังขยะ": the games deleted in the last 30 days, which can be taken back
/// one by one or all at once; after that they are removed for good.
class BinPage : public QWidget {
    Q_OBJECT
  public:
    BinPage(ReadQueue &reads, TeacherDialogs &dialogs, const QLocale &locale,
            QWidget *parent = nullptr);

    void setSource(ReadQueue &reads, bool server);
    /// Reads the bin again now if the page is seen, else when it is.
    void reload();
    const QList<store::BinnedGame> &games() const { return games_; }

    /// Takes the selected games, or every one, out of the bin.
    void restoreSelected();
    void restoreAll();

  signals:
    /// Games came back from the bin.
    void restored();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void read();
    void showGames(const QList<store::BinnedGame> &games);
    void restore(QStringList ids);

    ReadQueue *reads_;
    TeacherDialogs &dialogs_;
    QLocale locale_;
    bool server_ = false;
    bool stale_ = true;
    QList<store::BinnedGame> games_;
    QLabel *about_;
    QTableWidget *table_;
    QPushButton *restoreOne_;
    QPushButton *restoreAll_;
};

} // namespace lumo::teacher
