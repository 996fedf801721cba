// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/csv.h"

#include <QSaveFile>

#include <cmath>

namespace lumo::teacher {

QString csvField(const QString &text) {
    QString field = text;
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!field.isEmpty() && formulaStarts.contains(field.front()))
        field.prepend(QLatin1Char('\''));
    static const QString needsQuotes = QStringLiteral(",\"\r\n");
    if (std::any_of(field.cbegin(), field.cend(),
                    [](QChar c) { return needsQuotes.contains(c); })) {
        field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        field = QLatin1Char('"') + field + QLatin1Char('"');
    }
    return field;
}

QString csvCell(const Cell &cell) {
    if (const auto *text = std::get_if<QString>(&cell))
        return csvField(*text);
    if (const auto *value = std::get_if<double>(&cell)) {
        if (std::isfinite(*value) && *value == std::trunc(*value) && std::abs(*value) < 1e15)
            return QString::number(qint64(*value));
        QString decimal = QString::number(*value, 'f', 3);
        while (decimal.endsWith(QLatin1Char('0')))
            decimal.chop(1);
        return decimal;
    }
    if (const auto *moment = std::get_if<QDateTime>(&cell))
        return moment->toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    return {};
}

QByteArray csvDocument(const QList<QStringList> &rows) {
    QString text;
    for (const QStringList &row : rows) {
        QStringList fields;
        for (const QString &value : row)
            fields.append(csvField(value));
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

bool writeCsv(const QString &path, const ExportTable &table, QString &error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    QString text;
    QStringList header;
    for (const ExportColumn &column : table.columns())
        header << csvField(column.title);
    text = header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    bool written = file.write("\xEF\xBB\xBF", 3) == 3;
    QList<Cell> cells;
    for (qsizetype r = 0; written && r < table.rowCount(); ++r) {
        table.row(r, cells);
        for (qsizetype c = 0; c < cells.size(); ++c) {
            if (c > 0)
                text += QLatin1Char(',');
            text += csvCell(cells[c]);
        }
        text += QStringLiteral("\r\n");
        // Written a piece at a time: half a million answers need no more memory.
        if (text.size() > (1 << 20)) {
            written = file.write(text.toUtf8()) >= 0;
            text.clear();
        }
    }
    if (!written || file.write(text.toUtf8()) < 0 || !file.commit()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace lumo::teacher
