// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace lumo::teacher {

/// One field as RFC 4180 writes it, made harmless for spreadsheets: a field
/// that starts with = + - @ a tab or a carriage return gets a leading ' so
/// that no spreadsheet runs it as a formula.
QString csvField(const QString &text);

/// A whole file: UTF-8 with a byte-order mark (so spreadsheet programs read
/// Thai), fields separated by commas, records ended with CR LF.
QByteArray csvDocument(const QList<QStringList> &rows);

} // namespace lumo::teacher
