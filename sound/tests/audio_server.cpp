// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio_server.h"

#include "sound/clip.h"

#include <QAudioFormat>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include <signal.h>
#include <sys/prctl.h>

namespace lumo::test {

double steadyMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

AudioServer::AudioServer() = default;

AudioServer::~AudioServer() {
    if (server_ && server_->state() != QProcess::NotRunning) {
        server_->terminate();
        if (!server_->waitForFinished(5000))
            server_->kill();
        server_->waitForFinished(5000);
    }
}

bool AudioServer::run(const QString &program, const QStringList &arguments, int timeoutMs) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        error_ = program + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll()) +
                 process.errorString();
        return false;
    }
    return true;
}

bool AudioServer::start() {
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return false;
    }
    const QString runtime = dir_.filePath(QStringLiteral("runtime"));
    const QString home = dir_.filePath(QStringLiteral("home"));
    QDir().mkpath(runtime);
    QDir().mkpath(home);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // This process and every one it starts find the server here, and
    // nowhere else: no desktop's server is touched.
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    qputenv("HOME", home.toLocal8Bit());
    qunsetenv("PULSE_SERVER");
    qunsetenv("PULSE_SINK");
    qunsetenv("PULSE_SOURCE");
    server_ = std::make_unique<QProcess>();
    server_->setStandardOutputFile(dir_.filePath(QStringLiteral("pulseaudio.log")));
    server_->setStandardErrorFile(dir_.filePath(QStringLiteral("pulseaudio.log")));
    server_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    server_->start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                    QStringLiteral("-n"), QStringLiteral("--load=module-native-protocol-unix"),
                    QStringLiteral("--load=module-null-sink sink_name=testsink"),
                    // The microphone: what is played into a sink of its own,
                    // as a source that is no monitor (Qt lists no monitors).
                    QStringLiteral("--load=module-null-sink sink_name=micsink"),
                    QStringLiteral("--load=module-remap-source source_name=testmic "
                                   "master=micsink.monitor"),
                    QStringLiteral("--load=module-always-sink")});
    if (!server_->waitForStarted(10000)) {
        error_ = QStringLiteral("pulseaudio: ") + server_->errorString();
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
        if (server_->state() == QProcess::NotRunning)
            break;
        QProcess info;
        info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
        if (info.waitForFinished(5000) && info.exitCode() == 0)
            return run(QStringLiteral("pactl"),
                       {QStringLiteral("set-default-sink"), QStringLiteral("testsink")}) &&
                   run(QStringLiteral("pactl"),
                       {QStringLiteral("set-default-source"), QStringLiteral("testmic")});
        QThread::msleep(50);
    }
    QFile log(dir_.filePath(QStringLiteral("pulseaudio.log")));
    log.open(QIODevice::ReadOnly);
    error_ = QStringLiteral("pulseaudio did not start: ") + QString::fromLocal8Bit(log.readAll());
    return false;
}

Monitor::Monitor() {
    QObject::connect(&parec_, &QProcess::readyReadStandardOutput, [this] { read(); });
}

Monitor::~Monitor() {
    if (parec_.state() != QProcess::NotRunning) {
        parec_.kill();
        parec_.waitForFinished(5000);
    }
}

bool Monitor::start() {
    startMs_ = std::numeric_limits<double>::infinity();
    parec_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    parec_.start(QStringLiteral("parec"), {QStringLiteral("-d"), QStringLiteral("testsink.monitor"),
                                           QStringLiteral("--format=s16le"),
                                           QStringLiteral("--rate=%1").arg(AudioServer::rate),
                                           QStringLiteral("--channels=1"), QStringLiteral("--raw"),
                                           QStringLiteral("--latency-msec=5")});
    if (!parec_.waitForStarted(5000))
        return false;
    // Recording once the first samples have come.
    QElapsedTimer waited;
    waited.start();
    while (raw_.isEmpty() && waited.elapsed() < 10000)
        QTest::qWait(5);
    return !raw_.isEmpty();
}

void Monitor::read() {
    const double arrived = steadyMs();
    raw_ += parec_.readAllStandardOutput();
    const double frames = double(raw_.size() / 2);
    startMs_ = std::min(startMs_, arrived - frames * 1000.0 / AudioServer::rate);
}

std::size_t Monitor::now() {
    read();
    return std::size_t(raw_.size() / 2);
}

std::vector<float> Monitor::listen(std::size_t from, int milliseconds) {
    QTest::qWait(milliseconds);
    read();
    const std::size_t count = std::size_t(raw_.size() / 2);
    std::vector<float> samples(count > from ? count - from : 0);
    const auto *pcm = reinterpret_cast<const qint16 *>(raw_.constData()) + from;
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(pcm[i]) / 32768.0f;
    return samples;
}

double Monitor::timeOf(std::size_t index) const {
    return startMs_ + double(index) * 1000.0 / AudioServer::rate;
}

double rms(const std::vector<float> &samples, std::size_t from, std::size_t to) {
    to = std::min(to, samples.size());
    if (from >= to)
        return 0;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(to - from));
}

double toneAmplitude(const std::vector<float> &samples, double hertz, std::size_t from,
                     std::size_t to) {
    to = std::min(to, samples.size());
    if (from >= to)
        return 0;
    const double k = 2 * std::cos(2 * M_PI * hertz / AudioServer::rate);
    double a = 0, b = 0;
    for (std::size_t i = from; i < to; ++i) {
        const double next = samples[i] + k * a - b;
        b = a;
        a = next;
    }
    const double power = a * a + b * b - k * a * b;
    return 2 * std::sqrt(std::max(power, 0.0)) / double(to - from);
}

std::size_t onset(const std::vector<float> &samples, float threshold, std::size_t from) {
    for (std::size_t i = from; i < samples.size(); ++i)
        if (std::abs(samples[i]) > threshold)
            return i;
    return SIZE_MAX;
}

Match findSound(const std::vector<float> &recording, const std::vector<float> &sound) {
    Match best;
    // Where a sound begins after a moment of silence, the recording is
    // lined up with `sound` by where each first passes the same level (the
    // recording is as loud as the sound, or quieter), give or take a little.
    constexpr float level = 0.003f;
    constexpr std::size_t quiet = AudioServer::rate / 50;
    constexpr int slack = 300;
    const std::size_t soundStart = onset(sound, level);
    if (soundStart == SIZE_MAX)
        return best;
    double soundEnergy = 0;
    for (float s : sound)
        soundEnergy += double(s) * s;
    double bestDot = 0;
    std::size_t lastLoud = 0;
    bool loudBefore = false;
    for (std::size_t i = 0; i < recording.size(); ++i) {
        if (std::abs(recording[i]) <= level)
            continue;
        const bool begins = !loudBefore || i - lastLoud > quiet;
        lastLoud = i;
        loudBefore = true;
        if (!begins)
            continue;
        for (int lag = -slack; lag <= slack; ++lag) {
            const long long start = (long long)i - (long long)soundStart + lag;
            if (start < 0 || std::size_t(start) + sound.size() > recording.size())
                continue;
            double dot = 0, energy = 0;
            for (std::size_t k = 0; k < sound.size(); ++k) {
                const double r = recording[std::size_t(start) + k];
                dot += r * sound[k];
                energy += r * r;
            }
            if (dot > bestDot) {
                bestDot = dot;
                best = {energy > 0 ? dot / std::sqrt(energy * soundEnergy) : 0, dot / soundEnergy,
                        std::size_t(start)};
            }
        }
    }
    return best;
}

std::vector<float> wavSamples(const QString &file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const std::optional<Clip> clip = readClip(in.readAll());
    if (!clip)
        return {};
    const int channels = clip->format.channelCount();
    const auto *pcm = reinterpret_cast<const qint16 *>(clip->pcm.constData());
    std::vector<float> samples(std::size_t(clip->pcm.size() / 2 / channels));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        float sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += float(pcm[i * std::size_t(channels) + std::size_t(c)]) / 32768.0f;
        samples[i] = sum / float(channels);
    }
    return samples;
}

QByteArray toneWav(double hertz, int milliseconds, double amplitude) {
    QAudioFormat format;
    format.setSampleRate(AudioServer::rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    const int count = AudioServer::rate * milliseconds / 1000;
    const int fade = AudioServer::rate / 100;
    QByteArray pcm(count * 2, Qt::Uninitialized);
    auto *out = reinterpret_cast<qint16 *>(pcm.data());
    for (int i = 0; i < count; ++i) {
        const double gain = std::min({1.0, double(i) / fade, double(count - 1 - i) / fade});
        out[i] = qint16(std::lround(amplitude * gain * 32767 *
                                    std::sin(2 * M_PI * hertz * i / AudioServer::rate)));
    }
    return writeClip(format, pcm);
}

} // namespace lumo::test
