// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/workbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <xlsxwriter.h>

namespace lumo::teacher {

namespace {

// The longest text a cell holds, in characters.
constexpr int longestCellText = 32767;

QByteArray cellText(const QString &text) {
    if (text.size() <= longestCellText / 2)
        return text.toUtf8();
    // Counted in characters, not in UTF-16 units.
    const QList<uint> chars = text.toUcs4();
    if (chars.size() <= longestCellText)
        return text.toUtf8();
    return (QString::fromUcs4(reinterpret_cast<const char32_t *>(chars.constData()),
                              longestCellText - 1) +
            QChar(0x2026))
        .toUtf8();
}

class Book {
  public:
    Book(const QString &path, const QByteArray &temporaryFolder) : folder_(temporaryFolder) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = folder_.data();
        book_ = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    }
    ~Book() {
        if (book_)
            workbook_close(book_);
    }
    lxw_workbook *get() const { return book_; }
    lxw_error close() { return workbook_close(std::exchange(book_, nullptr)); }

  private:
    QByteArray folder_;
    lxw_workbook *book_ = nullptr;
};

lxw_error writeSheet(lxw_workbook *book, const ExportTable &table, lxw_format *header,
                     lxw_format *moment) {
    lxw_worksheet *sheet = workbook_add_worksheet(book, table.name().toUtf8().constData());
    if (!sheet)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    const QList<ExportColumn> columns = table.columns();
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const auto column = lxw_col_t(c);
        worksheet_set_column(sheet, column, column, columns[c].width, nullptr);
        if (lxw_error error = worksheet_write_string(
                sheet, 0, column, cellText(columns[c].title).constData(), header))
            return error;
    }
    worksheet_freeze_panes(sheet, 1, 0);
    QList<Cell> cells;
    for (qsizetype r = 0; r < table.rowCount(); ++r) {
        table.row(r, cells);
        const auto row = lxw_row_t(r + 1);
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const auto column = lxw_col_t(c);
            lxw_error error = LXW_NO_ERROR;
            if (const auto *text = std::get_if<QString>(&cells[c])) {
                if (!text->isEmpty())
                    error = worksheet_write_string(sheet, row, column, cellText(*text).constData(),
                                                   nullptr);
            } else if (const auto *value = std::get_if<double>(&cells[c])) {
                error = worksheet_write_number(sheet, row, column, *value, nullptr);
            } else if (const auto *when = std::get_if<QDateTime>(&cells[c])) {
                const QDate d = when->date();
                const QTime t = when->time();
                lxw_datetime stamp{d.year(), d.month(),  d.day(),
                                   t.hour(), t.minute(), double(t.second())};
                error = worksheet_write_datetime(sheet, row, column, &stamp, moment);
            }
            if (error)
                return error;
        }
    }
    return LXW_NO_ERROR;
}

} // namespace

bool writeWorkbook(const QString &path, const QList<const ExportTable *> &tables, QString &error) {
    // Written beside the file under another name, then put in its place.
    const QFileInfo target(path);
    QTemporaryFile next(target.absoluteDir().filePath(QStringLiteral(".lumo3-XXXXXX.xlsx")));
    if (!next.open()) {
        error = next.errorString();
        return false;
    }
    next.close();
    lxw_error result = LXW_NO_ERROR;
    {
        Book book(next.fileName(), QFile::encodeName(QDir::tempPath()));
        if (!book.get()) {
            error = QStringLiteral("the workbook could not be made");
            return false;
        }
        lxw_format *header = workbook_add_format(book.get());
        format_set_bold(header);
        format_set_bg_color(header, 0xE0E0FF);
        format_set_bottom(header, LXW_BORDER_THIN);
        lxw_format *moment = workbook_add_format(book.get());
        format_set_num_format(moment, "yyyy-mm-dd hh:mm:ss");
        for (const ExportTable *table : tables)
            if (!result)
                result = writeSheet(book.get(), *table, header, moment);
        const lxw_error closed = book.close();
        if (!result)
            result = closed;
    }
    if (result) {
        error = QString::fromUtf8(lxw_strerror(result));
        return false;
    }
    // Put in place whole, as the CSV files are.
    QFile written(next.fileName());
    QSaveFile file(path);
    if (!written.open(QIODevice::ReadOnly) || !file.open(QIODevice::WriteOnly) ||
        file.write(written.readAll()) < 0 || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace lumo::teacher
