#include "FuzzChecks.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// Every input the fuzzers kept, run through the same checks as a plain test.
void checkCorpus(const QString& name, std::string (*check)(const std::uint8_t*, std::size_t))
{
    const QDir corpus(QStringLiteral(MARKROLL_FUZZ_CORPUS_DIR "/") + name);
    const QStringList inputs = corpus.entryList(QDir::Files);
    ASSERT_FALSE(inputs.isEmpty()) << "no corpus in " << corpus.path().toStdString();
    for (const QString& input : inputs) {
        QFile file(corpus.filePath(input));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(check(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())), "")
            << input.toStdString();
    }
}

} // namespace

TEST(FuzzCorpus, ShortcutReader) { checkCorpus(QStringLiteral("shortcut_reader"), markroll::fuzz::checkShortcutReader); }

TEST(FuzzCorpus, PageEscaping) { checkCorpus(QStringLiteral("page_escaping"), markroll::fuzz::checkPageEscaping); }
