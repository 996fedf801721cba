// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/teacher_pin.h"

#include "settings/layers.h"

#include <QByteArray>
#include <QStringList>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace lumo {

namespace {

const QString group = QStringLiteral("teacher");
const QString pinKey = QStringLiteral("pin");
const QString scheme = QStringLiteral("pbkdf2-sha256");
constexpr int saltBytes = 16;
constexpr int hashBytes = 32;
constexpr auto base64 = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;

QByteArray derive(const QString &pin, const QByteArray &salt, int iterations) {
    const QByteArray secret = pin.toUtf8();
    QByteArray key(hashBytes, Qt::Uninitialized);
    if (PKCS5_PBKDF2_HMAC(secret.constData(), int(secret.size()),
                          reinterpret_cast<const unsigned char *>(salt.constData()),
                          int(salt.size()), iterations, EVP_sha256(), hashBytes,
                          reinterpret_cast<unsigned char *>(key.data())) != 1)
        return {};
    return key;
}

struct Parsed {
    int iterations;
    QByteArray salt;
    QByteArray hash;
};

std::optional<Parsed> parse(const QString &text) {
    const QStringList parts = text.trimmed().split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != scheme)
        return std::nullopt;
    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    const auto salt = QByteArray::fromBase64Encoding(parts[2].toLatin1(), base64);
    const auto hash = QByteArray::fromBase64Encoding(parts[3].toLatin1(), base64);
    if (!ok || iterations < 1 || !salt || !hash || salt.decoded.size() < 8 ||
        hash.decoded.size() != hashBytes)
        return std::nullopt;
    return Parsed{iterations, salt.decoded, hash.decoded};
}

} // namespace

bool isAcceptablePin(const QString &pin) {
    return pin.size() >= shortestPin && pin.size() <= longestPin && pin.trimmed() == pin;
}

QString hashPin(const QString &pin, int iterations) {
    QByteArray salt(saltBytes, Qt::Uninitialized);
    if (RAND_bytes(reinterpret_cast<unsigned char *>(salt.data()), saltBytes) != 1)
        return {};
    const QByteArray key = derive(pin, salt, iterations);
    if (key.isEmpty())
        return {};
    return QStringLiteral("%1$%2$%3$%4")
        .arg(scheme)
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64(base64)), QString::fromLatin1(key.toBase64(base64)));
}

bool isPinHash(const QString &text) {
    return parse(text).has_value();
}

bool pinMatches(const QString &pin, const QString &hash) {
    const auto parsed = parse(hash);
    if (!parsed)
        return false;
    const QByteArray key = derive(pin, parsed->salt, parsed->iterations);
    return key.size() == hashBytes &&
           CRYPTO_memcmp(key.constData(), parsed->hash.constData(), hashBytes) == 0;
}

std::optional<TeacherPin> readTeacherPin(const SettingsFiles &files, QStringList *problems) {
    // The computer's PIN first: a user's file cannot lift it.
    for (const auto &[file, computerWide] :
         {std::pair{files.systemFile, true}, std::pair{files.userFile, false}}) {
        const SettingsLayers layer({file}, group);
        const auto found = layer.find(pinKey);
        if (!found)
            continue;
        const QString text = found->value.toString().trimmed();
        if (text.isEmpty())
            continue;
        if (isPinHash(text))
            return TeacherPin{text, computerWide};
        const QString problem = QStringLiteral("%1: pin= holds no PIN hash; make one with "
                                               "lumo3 --hash-pin")
                                    .arg(found->file);
        qWarning().noquote() << QStringLiteral("lumo3: settings file ") + problem;
        if (problems)
            problems->append(problem);
    }
    return std::nullopt;
}

bool writeTeacherPin(const SettingsFiles &files, const QString &hash) {
    UserLayer user(files.userFile, group);
    user.put(pinKey, hash, hash.isEmpty());
    return user.save();
}

QString pinSettingsLines(const QString &hash) {
    return QStringLiteral("[%1]\n%2=%3\n").arg(group, pinKey, hash);
}

} // namespace lumo
