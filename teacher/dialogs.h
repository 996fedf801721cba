// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace lumo::teacher {

/// The teacher's window's modal dialogs, handed in so that tests answer them at once.
class TeacherDialogs {
  public:
    virtual ~TeacherDialogs() = default;
    /// The file to export to: a workbook (.xlsx) or CSV (.csv), as the
    /// teacher chooses; empty when the teacher cancels.
    virtual QString saveFileName(QWidget *parent, const QString &suggestedPath) = 0;
    /// Yes or no; no is the default answer.
    virtual bool confirm(QWidget *parent, const QString &question) = 0;
    virtual void inform(QWidget *parent, const QString &text) = 0;
    /// The teacher's PIN, typed where nobody can read it over a shoulder;
    /// none when the teacher cancels. None by default.
    virtual std::optional<QString> askPin(QWidget *parent, const QString &text);
    /// A text file to read names from; empty when the teacher cancels (and
    /// by default).
    virtual QString openFileName(QWidget *parent, const QString &title);

    /// After a deletion that returned `removed` rows (negative when it
    /// failed with `error`): tells the teacher of a failure; true when the
    /// deletion went through.
    bool deletionWent(QWidget *parent, int removed, const QString &error);
};

/// QFileDialog, QMessageBox and QInputDialog, every text plain.
class RealTeacherDialogs : public TeacherDialogs {
  public:
    QString saveFileName(QWidget *parent, const QString &suggestedPath) override;
    bool confirm(QWidget *parent, const QString &question) override;
    void inform(QWidget *parent, const QString &text) override;
    std::optional<QString> askPin(QWidget *parent, const QString &text) override;
    QString openFileName(QWidget *parent, const QString &title) override;
};

} // namespace lumo::teacher
