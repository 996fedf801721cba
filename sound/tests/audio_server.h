// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A real sound server for one test program, with no sound card: PulseAudio
// with a null sink, in a runtime folder and a home of the test's own,
// stopped at the end (and dying with the test in any case). What the
// program plays is heard on the sink's monitor, recorded with parec. The
// default input, the program's microphone, hears what is played into a
// second null sink, "micsink".

#include <QApplication>
#include <QByteArray>
#include <QDebug>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace lumo::test {

/// Milliseconds on one steady clock, for comparing a click with a recording.
double steadyMs();

class AudioServer {
  public:
    static constexpr int rate = 44100;

    AudioServer();
    ~AudioServer();
    AudioServer(const AudioServer &) = delete;
    AudioServer &operator=(const AudioServer &) = delete;

    /// Starts the server and points this process at it. Call it before
    /// anything of Qt Multimedia is made. False with error() if it failed.
    bool start();
    QString error() const { return error_; }

    /// A folder of the test's own, removed with the server.
    QString folder() const { return dir_.path(); }

  private:
    bool run(const QString &program, const QStringList &arguments, int timeoutMs = 10000);

    QTemporaryDir dir_;
    std::unique_ptr<QProcess> server_;
    QString error_;
};

/// Everything the sink plays, recorded from its start to the end of the
/// test as mono samples from -1 to 1 at AudioServer::rate; a test listens
/// to the stretch from one moment on.
class Monitor {
  public:
    Monitor();
    ~Monitor();

    bool start();
    /// The sample being played now: where a listening begins.
    std::size_t now();
    /// What has been played from sample `from` on, after waiting
    /// `milliseconds` with the event loop running.
    std::vector<float> listen(std::size_t from, int milliseconds);
    /// When sample `index` was played, on steadyMs()'s clock: the earliest
    /// time that every chunk of samples, arriving when it did, allows (a
    /// chunk arrives after its samples were played).
    double timeOf(std::size_t index) const;

  private:
    void read();

    QProcess parec_;
    QByteArray raw_;
    double startMs_ = 0;
};

/// How loud a stretch of samples is, as the root of its mean square.
double rms(const std::vector<float> &samples, std::size_t from = 0, std::size_t to = SIZE_MAX);
/// The amplitude of a sine of `hertz` in a stretch of samples (Goertzel).
double toneAmplitude(const std::vector<float> &samples, double hertz, std::size_t from = 0,
                     std::size_t to = SIZE_MAX);
/// The first sample louder than `threshold`, or none (SIZE_MAX).
std::size_t onset(const std::vector<float> &samples, float threshold = 0.01f, std::size_t from = 0);
/// Where `sound` is found best in `recording`: lined up where the two are
/// most alike, how alike they are there (1 when the recording holds
/// nothing else, less when other sounds are mixed in) and how loud the
/// sound is in it (1 when as loud as made, 0 when not there).
struct Match {
    double score = 0;
    double gain = 0;
    std::size_t at = 0;
};
Match findSound(const std::vector<float> &recording, const std::vector<float> &sound);

/// The samples of a WAV file (from a file or a resource), mono, -1 to 1.
std::vector<float> wavSamples(const QString &file);
/// A WAV file of a sine of `hertz` for `milliseconds`, faded in and out.
QByteArray toneWav(double hertz, int milliseconds, double amplitude = 0.5);

/// The main() of a test that listens: starts a sound server and its
/// monitor, points `monitor` at the monitor, then runs the test object.
template <class TestObject> int runListening(int argc, char *argv[], Monitor *&monitor) {
    QApplication app(argc, argv);
    AudioServer audio;
    Monitor heard;
    if (!audio.start() || !heard.start()) {
        qCritical().noquote() << "No sound server for the test:" << audio.error();
        return 1;
    }
    monitor = &heard;
    TestObject test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace lumo::test
