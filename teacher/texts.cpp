#include "teacher/texts.h"

#include "platform/dates.h"

namespace lumo::teacher {

QString outcomeText(const std::optional<store::Outcome> &outcome) {
    if (!outcome)
        return QStringLiteral("ไม่จบ (หยุดกลางคัน)");
    switch (*outcome) {
    case store::Outcome::Won:
        return QStringLiteral("ทำครบ 100 ข้อ");
    case store::Outcome::TimeOut:
        return QStringLiteral("หมดเวลา");
    case store::Outcome::Left:
        return QStringLiteral("ออกจากห้องสอบ");
    case store::Outcome::WindowClosed:
        return QStringLiteral("ปิดหน้าต่าง");
    }
    return {};
}

QString clockText(const store::GameRow &game) {
    if (!game.clockSeconds)
        return {};
    const int seconds = *game.clockSeconds;
    const QString time =
        QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return (game.clockMinutes ? QStringLiteral("เหลือ ") : QStringLiteral("ใช้ไป ")) + time;
}

QString startedText(const QDateTime &startedUtc, const QLocale &locale) {
    const QDateTime local = startedUtc.toLocalTime();
    return formatDayMonthYear(local, locale) + QLatin1Char(' ') +
           locale.toString(local.time(), QStringLiteral("HH:mm"));
}

QString statusText(const store::StoreStatus &status) {
    using State = store::StoreStatus::State;
    switch (status.state) {
    case State::Opening:
        return QStringLiteral("กำลังเปิดที่เก็บผล…");
    case State::Ready: {
        QString text = QStringLiteral("บันทึกผลไว้ในเครื่องนี้ที่ %1 (ไม่ส่งไปที่ใด)").arg(status.filePath);
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

} // namespace lumo::teacher
