// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The modal dialogs: the name prompt and the end-of-game message, as large
// as the screen's window they belong to and never beyond the screen. Text
// in them is shown as typed, never as markup.
#include "platform/dialogs.h"

#include "platform/controls.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "platform/twips.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace lumo {

namespace {

// Sizes at the layout's design size, in pixels; they grow with its scale.
constexpr int textPixels = 20;
constexpr int buttonHeight = 44;
constexpr int buttonWidth = 120;
constexpr int promptWidth = 460;
constexpr int promptWithNamesWidth = 700;
constexpr int nameHeight = 52;
constexpr int nameWidth = 220;
constexpr int margin = 16;
// Of the screen's free area, what a dialog and its list of names may take.
constexpr double mostOfTheScreen = 0.95;
constexpr double mostForNames = 0.6;
// Lines of a message longer than this could fill no screen legibly.
constexpr int longestShownLine = 200;

QRect availableFor(const QWidget *parent) {
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QFont scaledFont(const QWidget *widget, double scale) {
    QFont font = widget->font();
    font.setPixelSize(scaled(textPixels, scale));
    return font;
}

// A button's text as drawn: '&' is no shortcut, and a line break no break.
QString buttonText(QString name) {
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (const QChar breaking : {QChar(u'\n'), QChar(u'\r'), QChar(u'\t')})
        name.replace(breaking, QLatin1Char(' '));
    return name;
}

void setThaiButtons(QPushButton *ok, QPushButton *cancel, double scale) {
    if (ok)
        ok->setText(QStringLiteral("ตกลง"));
    if (cancel)
        cancel->setText(QStringLiteral("ยกเลิก"));
    // Text alone: the style's small pictures beside it would only distract.
    for (QPushButton *button : {ok, cancel})
        if (button) {
            button->setIcon(QIcon());
            button->setMinimumSize(scaled(buttonWidth, scale), scaled(buttonHeight, scale));
        }
}

} // namespace

double dialogScale(const QWidget *parent) {
    const auto *window = qobject_cast<const ScreenWindow *>(parent ? parent->window() : nullptr);
    return window ? window->scale() : 1.0;
}

NamePrompt::NamePrompt(QWidget *parent, const QString &text, const QString &title,
                       const QString &defaultAnswer, const QStringList &choices)
    : QDialog(parent), choices_(choices) {
    const double scale = dialogScale(parent);
    const QRect available = availableFor(parent);
    setWindowTitle(title);
    setFont(scaledFont(this, scale));
    setMaximumSize(available.size() * mostOfTheScreen);
    const int width =
        std::min(scaled(choices.isEmpty() ? promptWidth : promptWithNamesWidth, scale),
                 int(available.width() * mostOfTheScreen));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(QMargins() + scaled(margin, scale));
    layout->setSpacing(scaled(margin, scale));
    const int inner = width - 2 * scaled(margin, scale);

    auto *label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    layout->addWidget(label);

    field_ = new QLineEdit(defaultAnswer, this);
    field_->setMinimumHeight(scaled(buttonHeight, scale));
    field_->setAccessibleName(text);
    label->setBuddy(field_);
    layout->addWidget(field_);

    if (!choices.isEmpty()) {
        auto *list = new QWidget;
        auto *grid = new QGridLayout(list);
        grid->setContentsMargins(QMargins());
        grid->setSpacing(scaled(margin / 2, scale));
        const int columns = std::clamp(inner / scaled(nameWidth, scale), 1, 3);
        // Room for the scroll bar beside the names.
        const int each = (inner - scaled(margin * 2, scale)) / columns - grid->spacing();
        const QFontMetrics metrics(font());
        for (int i = 0; i < choices.size(); ++i) {
            const QString &name = choices.at(i);
            auto *button = new QPushButton(list);
            button->setText(
                buttonText(metrics.elidedText(name, Qt::ElideRight, each - scaled(margin, scale))));
            button->setAccessibleName(name);
            button->setToolTip(name);
            button->setFixedSize(each, scaled(nameHeight, scale));
            connect(button, &QPushButton::clicked, this, [this, name] { pick(name); });
            grid->addWidget(button, i / columns, i % columns);
            nameButtons_.append(button);
        }
        auto *scroll = new QScrollArea(this);
        scroll->setWidget(list);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setMinimumHeight(
            std::min(list->sizeHint().height(), int(available.height() * mostForNames)));
        layout->addWidget(scroll, 1);
        connect(field_, &QLineEdit::textEdited, this, &NamePrompt::showNamesHolding);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    cancel_ = buttons->button(QDialogButtonBox::Cancel);
    setThaiButtons(ok_, cancel_, scale);
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    setMinimumWidth(width);
    resize(width, sizeHint().height());
    field_->selectAll();
    field_->setFocus();
}

QString NamePrompt::answer() const {
    return hasPicked_ ? picked_ : field_->text();
}

void NamePrompt::pick(const QString &name) {
    picked_ = name;
    hasPicked_ = true;
    accept();
}

void NamePrompt::showNamesHolding(const QString &typed) {
    for (qsizetype i = 0; i < nameButtons_.size(); ++i)
        nameButtons_[i]->setVisible(typed.isEmpty() ||
                                    choices_.at(i).contains(typed, Qt::CaseInsensitive));
}

void setUpMessage(QMessageBox &box, QWidget *parent, const QString &text) {
    const double scale = dialogScale(parent);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(programTitle);
    box.setTextFormat(Qt::PlainText);
    // The end of a game is news for a child: large enough to read at a glance.
    box.setFont(scaledFont(&box, scale));
    // Lines of the game's messages are separated by CR LF.
    box.setText(shortenLongLines(
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), longestShownLine));
    box.setStandardButtons(QMessageBox::Ok);
    setThaiButtons(qobject_cast<QPushButton *>(box.button(QMessageBox::Ok)), nullptr, scale);
}

QString RealServices::prompt(QWidget *parent, const QString &text, const QString &title,
                             const QString &defaultAnswer, const QStringList &choices) {
    NamePrompt dialog(parent, text, title, defaultAnswer, choices);
    // Cancelled (Esc, its Cancel button or its close box), it answers with
    // the empty text; never with a null one, which is no text at all.
    const QString answer = dialog.exec() == QDialog::Accepted ? dialog.answer() : QString();
    return answer.isNull() ? QStringLiteral("") : answer;
}

void RealServices::message(QWidget *parent, const QString &text) {
    QMessageBox box(parent);
    setUpMessage(box, parent, text);
    box.exec();
}

} // namespace lumo
