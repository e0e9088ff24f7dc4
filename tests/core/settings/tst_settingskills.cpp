// A settings save killed at any moment: a child process rewrites a settings
// file over and over (replaceSettingsFile, alternating a short and a long
// content) and is killed with SIGKILL at a random moment, a few hundred
// times. Afterwards the file always holds one of the two contents, byte for
// byte: never nothing, a cut file or a mix of both.
#include "core/error.h"
#include "core/settings/settingsfiles.h"
#include "support/settingsfixture.h"

#include <QRandomGenerator>
#include <QTest>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace hakobee;
using hakobee::test::SettingsFixture;

namespace {

constexpr int rounds = 300;
// Kills land up to this long after the child's first complete save; a save
// takes a fraction of it, so they land in every part of a save.
constexpr int longestDelayMicroseconds = 4000;

// Counters the child keeps where the parent can read them after the kill.
struct SharedCounters
{
    std::atomic<long> saves{0};
};

// The child: saves the two contents in turn until it is killed. Never
// returns; it ends itself when its parent has gone or a save fails.
[[noreturn]] void saveForever(const QString& path, const QList<QStringList>& contents,
                              SharedCounters* counters, int readyPipe)
{
    const pid_t parent = getppid();
    for (long save = 0;; ++save) {
        try {
            replaceSettingsFile(path, SettingsColumns::layout(), contents[save % 2]);
        } catch (const Error& error) {
            std::fprintf(stderr, "save failed: %s\n", error.what());
            _exit(3);
        }
        counters->saves.fetch_add(1);
        if (save == 0 && write(readyPipe, "x", 1) != 1)
            _exit(4);
        if (getppid() != parent)
            _exit(5);
    }
}

QByteArray bytesWritten(const QString& path, const QStringList& values)
{
    replaceSettingsFile(path, SettingsColumns::layout(), values);
    return SettingsFixture::readBytes(path);
}

} // namespace

class TestSettingsKills : public QObject
{
    Q_OBJECT

private slots:
    void killedSavesLeaveTheOldOrTheNewFileByteForByte()
    {
        SettingsFixture fixture;
        QDir().mkpath(fixture.folder.folderPath());
        const QString path = fixture.settingsPath(SettingsFiles::layout);
        // Half-width katakana (valid UTF-8 as well) and kanji; the long one
        // spans several file system blocks.
        const QList<QStringList> contents{
            {u"ﾊｲﾃｸ"_qs, u"ﾄｸ"_qs, u"9"_qs, u"0"_qs},
            {QString(8000, QChar(u'棚')), u"家具伝票"_qs, u"256"_qs, u"1"_qs},
        };
        const QByteArray shortBytes = bytesWritten(fixture.temp.filePath(u"short"_qs), contents[0]);
        const QByteArray longBytes = bytesWritten(fixture.temp.filePath(u"long"_qs), contents[1]);
        QVERIFY(longBytes.size() > 3 * 4096);

        auto* counters = static_cast<SharedCounters*>(mmap(nullptr, sizeof(SharedCounters),
                                                           PROT_READ | PROT_WRITE,
                                                           MAP_SHARED | MAP_ANONYMOUS, -1, 0));
        QVERIFY(counters != MAP_FAILED);
        new (counters) SharedCounters;
        const auto unmap = qScopeGuard([&] { munmap(counters, sizeof(SharedCounters)); });

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        int foundOld = 0; // the save under way had not replaced the file yet
        int foundNew = 0; // it had, just before the kill
        int strayFiles = 0;
        long saves = 0;
        int duringLongSaves = 0;
        for (int round = 0; round < rounds; ++round) {
            SettingsFixture::writeBytes(path, shortBytes);
            counters->saves = 0;
            int ready[2];
            QVERIFY(pipe(ready) == 0);
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                close(ready[0]);
                saveForever(path, contents, counters, ready[1]);
            }
            close(ready[1]);
            char byte = 0;
            const bool childReady = read(ready[0], &byte, 1) == 1;
            close(ready[0]);
            if (childReady)
                usleep(useconds_t(random.bounded(longestDelayMicroseconds)));
            kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY2(
                childReady && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL,
                qPrintable(
                    u"round %1: the child ended by itself (status %2)"_qs.arg(round).arg(status)));

            // Saves 0, 1, ... write contents 0, 1, 0, ...; the one under way
            // at the kill is the next after those completed.
            const long completed = counters->saves.load();
            saves += completed;
            duringLongSaves += completed % 2 == 1;
            const QByteArray& before = completed % 2 ? shortBytes : longBytes;
            const QByteArray& meant = completed % 2 ? longBytes : shortBytes;
            const QByteArray bytes = SettingsFixture::readBytes(path);
            if (bytes == before)
                ++foundOld;
            else if (bytes == meant)
                ++foundNew;
            else
                QFAIL(qPrintable(u"round %1 (seed %2): after %3 saves the file holds %4 bytes, "
                                 u"neither the old (%5) nor the new (%6) content"_qs.arg(round)
                                     .arg(seed)
                                     .arg(completed)
                                     .arg(bytes.size())
                                     .arg(before.size())
                                     .arg(meant.size())));
            // What a killed save leaves beside the file (a temporary file
            // where the system has no unnamed ones) is counted and cleared.
            const QDir folder(fixture.folder.folderPath());
            for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
                if (name != SettingsFiles::layout) {
                    if (strayFiles++ == 0)
                        qInfo("a killed save left %s", qPrintable(name));
                    QFile::remove(folder.filePath(name));
                }
            }
        }
        qInfo("reliability: settings-kills kills=%d saves=%ld old=%d new=%d other=0 "
              "stray-files=%d seed=%u",
              rounds, saves, foundOld, foundNew, strayFiles, seed);
        // The kills landed at different moments: in saves of both contents.
        QVERIFY(duringLongSaves > 0 && duringLongSaves < rounds);
    }
};

QTEST_GUILESS_MAIN(TestSettingsKills)
#include "tst_settingskills.moc"
