#pragma once

// What every fuzz target shares: the entry point libFuzzer (or, in a build
// without it, replaymain.cpp) calls once per input, a scratch folder for
// inputs the code under test reads from a file, and a check that reports a
// broken promise as a crash, so that libFuzzer keeps the input.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace hakobee::fuzz {

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A folder that lives as long as the fuzzing process; in memory where the
// system offers it, as every input is written there.
inline QDir scratchFolder()
{
    static QTemporaryDir folder(QDir(u"/dev/shm"_qs).exists()
                                    ? u"/dev/shm/hakobee-fuzz-XXXXXX"_qs
                                    : QDir::tempPath() + u"/hakobee-fuzz-XXXXXX"_qs);
    if (!folder.isValid()) {
        std::fprintf(stderr, "fuzz: no scratch folder\n");
        std::abort();
    }
    return QDir(folder.path());
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

// A promise the code under test broke for this input.
[[noreturn]] inline void broken(const char* promise, const QString& detail = {})
{
    std::fprintf(stderr, "fuzz: broken promise: %s %s\n", promise, qPrintable(detail));
    std::abort();
}

} // namespace hakobee::fuzz
