// Logs that cannot be opened: a message that names the file and says why, and no window left;
// a log damaged only at its tail opens what is intact.
#include "ShellTestSupport.h"

#include "document/frmDocument.h"

#include <QDir>
#include <QFile>
#include <QMdiArea>

#include <random>
#include <sys/stat.h>

namespace {

using shelltest::ShellTest;

class OpenFailureTest : public ShellTest
{
protected:
    QString writeBytes(const QString& name, const QByteArray& bytes)
    {
        QFile file(filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QByteArray randomBytes(int size)
    {
        std::mt19937 random(11);
        QByteArray bytes(size, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random() & 0xFF);
        }
        return bytes;
    }
};

TEST_F(OpenFailureTest, EveryRefusedFileIsNamedWithItsReason)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.sl2"));
    const QString fifo = filePath(QStringLiteral("pipe.sl2"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const struct
    {
        QString path;
        const char* reason;
    } cases[] = {
        {filePath(QStringLiteral("absent.sl2")), "does not exist"},
        {filePath(QStringLiteral("folder.sl2")), "is a folder"},
        {fifo, "not a regular file"},
        {writeBytes(QStringLiteral("empty.sl2"), QByteArray()), "is empty"},
        {writeBytes(QStringLiteral("byte.sl2"), QByteArray(1, '\2')), "too short"},
        {writeBytes(QStringLiteral("notes.sl2"), "Soundings from Tuesday\n"), "not a sonar log"},
        {writeBytes(QStringLiteral("zero.sl2"), QByteArray(64, '\0')), "not a sonar log"},
        {writeBytes(QStringLiteral("random.sl2"), randomBytes(65536)), ""},
        {writeBytes(QStringLiteral("chainless.sl2"),
                    QByteArray("\x02\x00\x01\x00\x00\x0C\x00\x00", 8) + QByteArray(20000, 'x')),
         "No intact packet"},
    };
    brellix::frmMain& main = startMain();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        m_messages.clear();
        EXPECT_EQ(main.openChart(c.path), nullptr);
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_TRUE(m_messages[0].text.contains(QDir::toNativeSeparators(c.path)));
        EXPECT_TRUE(m_messages[0].text.contains(QLatin1String(c.reason)))
            << m_messages[0].text.toStdString();
        EXPECT_EQ(m_messages[0].icon, QMessageBox::Warning);
        EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
    }
}

TEST_F(OpenFailureTest, AnSl2LogDamagedAtItsTailOpensWhatIsIntact)
{
    const QString log = writeSl2(QStringLiteral("tail.sl2"), {0}, 600);
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 size = file.size();
    ASSERT_TRUE(file.seek(size - 20000));
    file.write(randomBytes(20000));
    file.close();

    brellix::frmMain& main = startMain();
    brellix::frmDocument* chart = main.openChart(log);
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(m_messages.empty());
    const int32_t soundings = chart->SonarFile->NumSoundings();
    // Each sounding takes 444 bytes: some 45 of them are lost with the tail.
    EXPECT_GT(soundings, 540);
    EXPECT_LT(soundings, 556);
    chart->GotoEnd();
    chart->finishRedraw();
    EXPECT_TRUE(chart->bDocumentReady);
}

} // namespace
