// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/export_tables.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace lumo::teacher {

/// One text field as RFC 4180 writes it, made harmless for spreadsheets: a
/// field that starts with = + - @ a tab or a carriage return gets a
/// leading ' so that no spreadsheet runs it as a formula.
QString csvField(const QString &text);

/// One cell: text as csvField() writes it, a number plainly (a point for
/// decimals, no grouping), a date and time as ISO 8601 local time
/// ("2026-12-07T17:21:05", which spreadsheets read as a date and sort).
QString csvCell(const Cell &cell);

/// A whole file: UTF-8 with a byte-order mark (so spreadsheet programs read
/// Thai), fields separated by commas, records ended with CR LF.
QByteArray csvDocument(const QList<QStringList> &rows);

/// Writes the table with its header row to `path`, replacing it only once
/// it is written whole; false with the reason in `error`.
bool writeCsv(const QString &path, const ExportTable &table, QString &error);

} // namespace lumo::teacher
