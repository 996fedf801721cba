// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/texts.h"

#include "platform/controls.h"

namespace lumo::teacher {

QString oneLineName(const QString &name, int longest) {
    QString line = name;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return shortenLongLines(line, longest);
}

QString dayText(QDate day, const QLocale &locale, QLocale::FormatType month) {
    int year = day.year();
    if (locale.language() == QLocale::Thai)
        year += 543; // the Buddhist era, as Thai desktops show a year
    return QStringLiteral("%1 %2 %3")
        .arg(locale.toString(day.day()), locale.monthName(day.month(), month),
             locale.toString(year).remove(locale.groupSeparator()));
}

QString startedText(const QDateTime &startedUtc, const QLocale &locale) {
    const QDateTime local = startedUtc.toLocalTime();
    return dayText(local.date(), locale) + QLatin1Char(' ') +
           locale.toString(local.time(), QStringLiteral("HH:mm"));
}

namespace {
QString stateText(const store::StoreStatus &status, bool schoolServer) {
    using State = store::StoreStatus::State;
    switch (status.state) {
    case State::Opening:
        return QStringLiteral("กำลังเปิดที่เก็บผล…");
    case State::Ready: {
        QString text =
            schoolServer ? QStringLiteral("บันทึกผลไว้ในเครื่องนี้ที่ %1 และส่งไปยังเซิร์ฟเวอร์ของโรงเรียน")
                               .arg(status.filePath)
                         : QStringLiteral("บันทึกผลไว้ในเครื่องนี้ที่ %1 (ไม่ส่งไปที่ใด)").arg(status.filePath);
        if (!status.setAsidePath.isEmpty())
            text += QStringLiteral(" — ไฟล์เดิมเสียหาย เก็บไว้เป็น %1").arg(status.setAsidePath);
        return text;
    }
    case State::Locked:
        return QStringLiteral("ไม่สามารถบันทึกผลได้ชั่วคราว: โปรแกรมอื่นใช้ไฟล์ %1 อยู่ (%2) "
                              "ผลที่รอบันทึก %3 รายการ")
            .arg(status.filePath, status.detail)
            .arg(status.pending);
    case State::Full:
        return QStringLiteral("ไม่สามารถบันทึกผลได้: ดิสก์เต็ม (%1) ผลที่รอบันทึก %2 รายการ")
            .arg(status.detail)
            .arg(status.pending);
    case State::Unusable:
        return QStringLiteral("ไม่สามารถบันทึกผลได้: %1 (%2)").arg(status.detail, status.filePath);
    }
    return {};
}
} // namespace

QString statusText(const store::StoreStatus &status, bool schoolServer) {
    const int notSaved = status.rejected + status.lost;
    return stateText(status, schoolServer) +
           (notSaved ? QStringLiteral(" — มีผล %1 รายการที่บันทึกไม่ได้").arg(notSaved) : QString());
}

namespace {
QString becauseText(sync::SyncStatus::State state) {
    using State = sync::SyncStatus::State;
    switch (state) {
    case State::Unreachable:
        return QStringLiteral("ติดต่อเซิร์ฟเวอร์ไม่ได้ (เซิร์ฟเวอร์ปิดอยู่หรือเครือข่ายขัดข้อง)");
    case State::LoginRefused:
        return QStringLiteral("เซิร์ฟเวอร์ไม่ยอมให้เข้า (ผู้ใช้หรือรหัสผ่านไม่ถูกต้อง หรือไม่อนุญาตเครื่องนี้)");
    case State::NotSetUp:
        return QStringLiteral("ฐานข้อมูลบนเซิร์ฟเวอร์ยังไม่ได้ตั้งค่า ให้ผู้ดูแลระบบตั้งตามคู่มือ school-server.md");
    case State::SchemaTooNew:
        return QStringLiteral("ฐานข้อมูลบนเซิร์ฟเวอร์ตั้งโดยโปรแกรมรุ่นที่ใหม่กว่า "
                              "โปรแกรมนี้จึงไม่แตะต้อง ต้องติดตั้งรุ่นใหม่");
    case State::Interrupted:
        return QStringLiteral("การส่งถูกตัดกลางคัน");
    case State::StoreUnusable:
        return QStringLiteral("อ่านที่เก็บผลในเครื่องนี้ไม่ได้");
    default:
        return {};
    }
}
} // namespace

QString serverProblemText(sync::SyncStatus::State state, const QString &detail) {
    using State = sync::SyncStatus::State;
    QString why;
    switch (state) {
    case State::NotSetUp:
        why = QStringLiteral("บนเซิร์ฟเวอร์ยังไม่มีตารางผล: "
                             "ฐานข้อมูลบนเซิร์ฟเวอร์ยังไม่ได้ตั้งค่า ให้ผู้ดูแลระบบตั้งตามคู่มือ school-server.md");
        break;
    case State::SchemaTooNew:
        why = QStringLiteral("ฐานข้อมูลบนเซิร์ฟเวอร์ตั้งโดยโปรแกรมรุ่นที่ใหม่กว่า "
                             "ต้องติดตั้งรุ่นใหม่ในเครื่องนี้ก่อน");
        break;
    case State::Interrupted:
        why = QStringLiteral("การเชื่อมต่อกับเซิร์ฟเวอร์ถูกตัดกลางคัน");
        break;
    default:
        why = becauseText(state);
    }
    QString text = QStringLiteral("อ่านผลจากเซิร์ฟเวอร์ของโรงเรียนไม่ได้ เพราะ%1").arg(why);
    if (!detail.isEmpty())
        text += QStringLiteral(" (%1)").arg(detail.simplified());
    return text;
}

QString syncStatusText(const sync::SyncStatus &status, const QLocale &locale) {
    using State = sync::SyncStatus::State;
    const QString server = status.server;
    const QString waiting = locale.toString(status.waiting.total());
    switch (status.state) {
    case State::Off:
        return {};
    case State::Starting:
        return QStringLiteral("เซิร์ฟเวอร์ของโรงเรียน %1: ผลที่ยังไม่ได้ส่ง %2 รายการ").arg(server, waiting);
    case State::Sending:
        return QStringLiteral("กำลังส่งผลไปยังเซิร์ฟเวอร์ของโรงเรียน %1: เหลือ %2 รายการ")
            .arg(server, waiting);
    case State::UpToDate:
        return QStringLiteral("ส่งผลทั้งหมดไปยังเซิร์ฟเวอร์ของโรงเรียน %1 แล้ว").arg(server);
    default:
        break;
    }
    QString text = QStringLiteral("ผลที่ยังไม่ได้ส่งไปยังเซิร์ฟเวอร์ของโรงเรียน %1: %2 รายการ "
                                  "รออยู่ในเครื่องนี้ เพราะ%3")
                       .arg(server, waiting, becauseText(status.state));
    if (!status.detail.isEmpty())
        text += QStringLiteral(" (%1)").arg(status.detail.simplified());
    if (status.retryInMs >= 60000)
        text += QStringLiteral(" จะลองส่งอีกครั้งใน %1 นาที")
                    .arg(locale.toString((status.retryInMs + 59999) / 60000));
    else if (status.retryInMs > 0)
        text += QStringLiteral(" จะลองส่งอีกครั้งใน %1 วินาที")
                    .arg(locale.toString((status.retryInMs + 999) / 1000));
    return text;
}

} // namespace lumo::teacher
