// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/export_tables.h"

#include <QList>
#include <QString>

namespace lumo::teacher {

/// Writes an Excel workbook (.xlsx, with libxlsxwriter), one sheet per
/// table: a bold header row that stays in view, numbers as numbers, dates
/// and times as dates, and every text cell as a text, so that nothing in a
/// name is ever run as a formula. Excel, LibreOffice and online spreadsheets
/// open it as it is, Thai included. The file is replaced only once it is
/// written whole; false with the reason in `error`.
bool writeWorkbook(const QString &path, const QList<const ExportTable *> &tables, QString &error);

} // namespace lumo::teacher
