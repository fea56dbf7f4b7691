// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/protected_archive.h"
#include "core/common/errors.h"
#include "scripted_user.h"
#include "stream_bytes.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <zlib.h>

namespace velora {
namespace {

using test::Bytes;
using test::ReferenceAdler32;
using test::ScriptedUser;

QByteArray ZlibCompress(const QByteArray& data, int level = Z_DEFAULT_COMPRESSION) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    QByteArray out(static_cast<qsizetype>(size), '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                        reinterpret_cast<const Bytef*>(data.constData()),
                        static_cast<uLong>(data.size()), level),
              Z_OK);
    out.resize(static_cast<qsizetype>(size));
    return out;
}

// zlib's own inflate of a whole body; empty when it fails.
QByteArray ZlibUncompress(const QByteArray& body, qsizetype length) {
    QByteArray out(length, Qt::Uninitialized);
    uLongf size = static_cast<uLongf>(length);
    const int result = uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                                  reinterpret_cast<const Bytef*>(body.constData()),
                                  static_cast<uLong>(body.size()));
    if (result != Z_OK || size != static_cast<uLongf>(length)) return {};
    return out;
}

QByteArray XorAll(QByteArray data, uint8_t key) {
    for (char& c : data) c = static_cast<char>(static_cast<uint8_t>(c) ^ key);
    return data;
}

// A container as the layout describes it, built without the program's code.
QByteArray Container(uint8_t version, uint32_t streamLength, uint32_t checksum,
                     const QByteArray& body) {
    return Bytes().Raw("akz").U8(version).U32(streamLength).U32(checksum).Raw(body);
}

QByteArray SampleStream() {
    QByteArray stream("MOSVELDAT");
    for (int i = 0; i < 500; ++i) stream.append(static_cast<char>(i * 7 % 251));
    return stream;
}

QByteArray Unpack(const QByteArray& file, const QByteArray& password, ScriptedUser& user) {
    return CProtectedArchive::Unpack(AsBytes(file), password, user);
}

TEST(ContainerPackTest, EmptyPasswordWritesVersionOneWithTheChecksumOfTheBody) {
    const QByteArray stream = SampleStream();
    const QByteArray file = CProtectedArchive::Pack(AsBytes(stream));
    test::Parse header(file);
    EXPECT_EQ(header.Raw(3), "akz");
    EXPECT_EQ(header.U8(), 1u);
    EXPECT_EQ(header.U32(), static_cast<uint32_t>(stream.size()));
    EXPECT_EQ(header.U32(), ReferenceAdler32(file.mid(12)));
    // The body is one zlib stream, as zlib's own inflater reads it.
    EXPECT_EQ(ZlibUncompress(file.mid(12), stream.size()), stream);
}

TEST(ContainerPackTest, EmptyStreamIsAHeaderAndTheZlibStreamOfNothing) {
    const QByteArray file = CProtectedArchive::Pack({});
    const QByteArray body = file.mid(12);
    EXPECT_EQ(file, Container(1, 0, ReferenceAdler32(body), body));
    EXPECT_TRUE(ZlibUncompress(body, 0).isEmpty());
    ScriptedUser user;
    EXPECT_TRUE(Unpack(file, {}, user).isEmpty());
}

TEST(ContainerPackTest, PasswordScramblesTheBodyAfterTheChecksum) {
    const QByteArray stream = SampleStream();
    const QByteArray file = CProtectedArchive::Pack(AsBytes(stream), "ab");
    const QByteArray body = XorAll(file.mid(12), 'a' ^ 'b');
    EXPECT_EQ(file, Container(3, stream.size(), ReferenceAdler32(body), XorAll(body, 'a' ^ 'b')));
    EXPECT_EQ(ZlibUncompress(body, stream.size()), stream);
}

// Documents are stored as they are written; a stream of several megabytes
// goes through the compressor in many pieces and must come back whole.
TEST(ContainerPackTest, LargeStreamsComeBackWhole) {
    QByteArray stream;
    quint32 noise = 12345;
    for (int i = 0; i < (3 << 20); ++i) {
        noise = noise * 1664525u + 1013904223u;
        stream.append(static_cast<char>(i % 3 == 0 ? noise >> 24 : i / 4096));
    }
    const QByteArray file = CProtectedArchive::Pack(AsBytes(stream));
    EXPECT_EQ(ZlibUncompress(file.mid(12), stream.size()), stream);
    ScriptedUser user;
    EXPECT_EQ(Unpack(file, {}, user), stream);
}

TEST(ContainerUnpackTest, ReadsContainersOfAnyWriter) {
    // Another compression level than ours, and a version byte that is
    // neither 1 nor 3: both unpack without a checksum test.
    const QByteArray stream = SampleStream();
    const QByteArray body = ZlibCompress(stream, 9);
    ScriptedUser user;
    EXPECT_EQ(Unpack(Container(1, stream.size(), ReferenceAdler32(body), body), {}, user), stream);
    EXPECT_EQ(Unpack(Container(2, stream.size(), 0xBAD, body), {}, user), stream);
    EXPECT_EQ(Unpack(Container(1, stream.size(), 0, body), "pw", user), stream)
        << "a version-1 body is never unscrambled";
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST(ContainerUnpackTest, FileWithoutTheMagicIsAPlainStream) {
    ScriptedUser user;
    for (const QByteArray& plain : {SampleStream(), QByteArray("ak"), QByteArray(),
                                    QByteArray("AKZ\x01\x00\x00\x00\x00\x00\x00\x00\x00", 12)}) {
        EXPECT_EQ(Unpack(plain, {}, user), plain);
        EXPECT_FALSE(CProtectedArchive::Inspect(AsBytes(plain)).magic);
    }
}

TEST(ContainerUnpackTest, ScrambledFileNeedsAPasswordOfTheSameXor) {
    const QByteArray stream = SampleStream();
    const QByteArray file = CProtectedArchive::Pack(AsBytes(stream), "secret");
    ScriptedUser user;
    EXPECT_THROW(Unpack(file, {}, user), UserAlreadyToldError);
    EXPECT_THROW(Unpack(file, "Secret", user), UserAlreadyToldError);
    EXPECT_EQ(user.messages, QStringList({"Password incorrect!!!", "Password incorrect!!!"}));

    // Any password whose bytes XOR to the same value opens it.
    uint8_t key = 0;
    for (char c : QByteArray("secret")) key ^= static_cast<uint8_t>(c);
    EXPECT_EQ(Unpack(file, QByteArray(1, static_cast<char>(key)), user), stream);
    EXPECT_EQ(Unpack(file, QByteArray("tercse"), user), stream);
    EXPECT_EQ(user.messages.size(), 2);
}

TEST(ContainerUnpackTest, VersionThreeWithAZeroXorPasswordOpensWithoutOne) {
    const QByteArray stream = SampleStream();
    const QByteArray file = CProtectedArchive::Pack(AsBytes(stream), "abab");
    EXPECT_EQ(file[3], '\x03') << "marked scrambled even though nothing changed";
    ScriptedUser user;
    EXPECT_EQ(Unpack(file, {}, user), stream);
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST(ContainerUnpackTest, UnreadableBodiesAreRefused) {
    const QByteArray stream = SampleStream();
    const QByteArray good = CProtectedArchive::Pack(AsBytes(stream));
    ScriptedUser user;

    QByteArray damaged = good;
    damaged[20] = static_cast<char>(damaged[20] ^ 0x55);
    damaged[40] = static_cast<char>(damaged[40] ^ 0x55);
    EXPECT_THROW(Unpack(damaged, {}, user), FormatError);

    EXPECT_THROW(Unpack(good.left(good.size() - 5), {}, user), FormatError) << "cut body";
    EXPECT_THROW(Unpack(good.left(12), {}, user), FormatError) << "no body at all";

    // Lengths that disagree with what the body holds, either way.
    const QByteArray body = good.mid(12);
    const uint32_t sum = ReferenceAdler32(body);
    EXPECT_THROW(Unpack(Container(1, stream.size() - 1, sum, body), {}, user), FormatError);
    EXPECT_THROW(Unpack(Container(1, stream.size() + 1, sum, body), {}, user), FormatError);
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST(ContainerUnpackTest, LyingStreamLengthIsRefusedBeforeAllocating) {
    // Far beyond what any body of this size can hold: refused on the header
    // alone, quickly, instead of allocating 4 GiB.
    ScriptedUser user;
    const QByteArray body = ZlibCompress("x");
    for (uint32_t lie : {0xFFFFFFFFu, CProtectedArchive::kMaxStreamLength + 1, 100000u}) {
        try {
            Unpack(Container(1, lie, ReferenceAdler32(body), body), {}, user);
            ADD_FAILURE() << "length " << lie << " accepted";
        } catch (const FormatError& error) {
            EXPECT_TRUE(error.Message().contains("cannot hold")) << error.what();
        }
    }
}

// Bytes deflate never made, so that an accepted length fails at unpacking
// and never allocates more than it claims.
QByteArray NoiseBody(qsizetype size) {
    QByteArray body(size, Qt::Uninitialized);
    uint32_t state = 2463534242u;
    for (char& c : body) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        c = static_cast<char>(state);
    }
    return body;
}

// Only the mask of a large drawing packs tighter than 64 to 1, and even the
// largest fits in 128 MiB: a longer stream needs a body of at least a 64th
// of its length. The claim is refused on the header alone; a claim just
// within the rule gets as far as unpacking (and fails there, the body being
// noise).
TEST(ContainerUnpackTest, StreamsPackedTighterThanRealFilesAreRefused) {
    ScriptedUser user;
    const auto failure = [&](uint32_t claim, const QByteArray& body) {
        try {
            Unpack(Container(1, claim, 0, body), {}, user);
        } catch (const FormatError& error) {
            return error.Message();
        }
        return QString();
    };
    constexpr uint32_t kFloor = 128u << 20;
    const QByteArray small = NoiseBody(200 * 1024);
    EXPECT_EQ(failure(kFloor, small), "the compressed data is damaged");
    EXPECT_EQ(failure(kFloor + 1, small),
              "the container claims 128 MB of data that its 204800 bytes of compressed data "
              "cannot hold");
    const QByteArray large = NoiseBody(3 << 20);
    const uint32_t ratio = 64u * static_cast<uint32_t>(large.size());
    EXPECT_EQ(failure(ratio, large), "the compressed data is damaged");
    EXPECT_TRUE(failure(ratio + 1, large).startsWith("the container claims 192 MB"));
}

TEST(ContainerUnpackTest, HeaderCutShortIsDamaged) {
    ScriptedUser user;
    for (int length = 3; length < 12; ++length) {
        const QByteArray file = Container(1, 0, 1, {}).left(length);
        EXPECT_THROW(Unpack(file, {}, user), FormatError) << length;
        EXPECT_THROW(CProtectedArchive::Inspect(AsBytes(file)), FormatError) << length;
    }
}

TEST(ContainerInspectTest, ReportsTheHeaderFacts) {
    const QByteArray stream = SampleStream();
    const ContainerInfo plain =
        CProtectedArchive::Inspect(AsBytes(CProtectedArchive::Pack(AsBytes(stream))));
    EXPECT_TRUE(plain.magic);
    EXPECT_EQ(plain.version, 1);
    EXPECT_EQ(plain.streamLength, static_cast<uint32_t>(stream.size()));
    EXPECT_FALSE(plain.checksumOk.has_value());

    const QByteArray scrambled = CProtectedArchive::Pack(AsBytes(stream), "pw");
    EXPECT_EQ(CProtectedArchive::Inspect(AsBytes(scrambled)).checksumOk,
              std::optional<bool>(false));
    EXPECT_EQ(CProtectedArchive::Inspect(AsBytes(scrambled), "pw").checksumOk,
              std::optional<bool>(true));
    EXPECT_EQ(CProtectedArchive::Inspect(AsBytes(scrambled)).version, 3);
}

TEST(ContainerScrambleTest, XorsWithEveryPasswordByteAndRefusesAnEmptyOne) {
    QByteArray data("\x00\x0F\xF0\xFF", 4);
    std::span<uint8_t> bytes(reinterpret_cast<uint8_t*>(data.data()), 4);
    EXPECT_FALSE(CProtectedArchive::Scramble(bytes, {}));
    EXPECT_EQ(data, QByteArray("\x00\x0F\xF0\xFF", 4));
    EXPECT_TRUE(CProtectedArchive::Scramble(bytes, QByteArray("\x01\x02\x04", 3)));
    EXPECT_EQ(data, QByteArray("\x07\x08\xF7\xF8", 4));
    EXPECT_TRUE(CProtectedArchive::Scramble(bytes, QByteArray("\x07", 1)));
    EXPECT_EQ(data, QByteArray("\x00\x0F\xF0\xFF", 4)) << "scrambling is its own inverse";
}

class ContainerFileTest : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    ScriptedUser m_user;
};

TEST_F(ContainerFileTest, CloseWritesTheContainerAndLoadingUnpacksIt) {
    const QString path = PathOf("a.mtp");
    const QByteArray stream = SampleStream();
    {
        CProtectedArchive archive(path, CProtectedArchive::Mode::Store, m_user);
        archive.Writer().WriteBytes(stream);
        EXPECT_FALSE(QFile::exists(path)) << "nothing is written before Close";
        archive.Close();
    }
    EXPECT_EQ(test::FileBytes(path), CProtectedArchive::Pack(AsBytes(stream)));

    CProtectedArchive loaded(path, CProtectedArchive::Mode::Load, m_user);
    EXPECT_EQ(loaded.FileLength(), test::FileBytes(path).size());
    const auto bytes = loaded.Reader().ReadBytes(stream.size());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()), stream);
    EXPECT_TRUE(loaded.Reader().AtEnd());
}

TEST_F(ContainerFileTest, AbortAndDestructionWriteNothing) {
    const QString path = PathOf("old.vld");
    test::WriteFileBytes(path, "old contents");
    {
        CProtectedArchive archive(path, CProtectedArchive::Mode::Store, m_user);
        archive.Writer().WriteString("new");
        archive.Abort();
    }
    {
        CProtectedArchive archive(path, CProtectedArchive::Mode::Store, m_user);
        archive.Writer().WriteString("new");
    }
    EXPECT_EQ(test::FileBytes(path), "old contents");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"old.vld"}))
        << "no temporary file is left behind";
}

TEST_F(ContainerFileTest, LoadErrorsNameTheFile) {
    const QString missing = PathOf("missing.vld");
    try {
        CProtectedArchive archive(missing, CProtectedArchive::Mode::Load, m_user);
        ADD_FAILURE() << "a missing file loaded";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Message(), missing + ": cannot be opened: No such file or directory");
    }
    const QString damaged = PathOf("damaged.vld");
    test::WriteFileBytes(damaged, Container(1, 10, 0, "not zlib at all"));
    try {
        CProtectedArchive archive(damaged, CProtectedArchive::Mode::Load, m_user);
        ADD_FAILURE() << "a damaged file loaded";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.Message(), damaged + ": the compressed data is damaged");
    }
}

// A stream that zlib cannot shrink much, so its compressed body is long.
QByteArray NoisyStream(int size) {
    QByteArray stream("MOSVELDAT");
    uint32_t noise = 12345;
    while (stream.size() < size) {
        noise = noise * 1664525u + 1013904223u;
        stream.append(static_cast<char>(noise >> 24));
    }
    return stream;
}

TEST_F(ContainerFileTest, TheStreamsStartIsReadWithoutUnpackingTheRest) {
    const QByteArray stream = NoisyStream(400'000);
    const QByteArray file = CProtectedArchive::Pack(AsBytes(stream));
    const QString path = PathOf("cut.vld");
    // Only the first half of the body is there: the rest is never needed.
    test::WriteFileBytes(path, file.left(file.size() / 2));
    EXPECT_EQ(CProtectedArchive::ReadStreamStart(path, 1000, m_user), stream.left(1000));
    EXPECT_THROW(CProtectedArchive::ReadStreamStart(path, stream.size(), m_user), FormatError);

    test::WriteFileBytes(path, file);
    EXPECT_EQ(CProtectedArchive::ReadStreamStart(path, 1u << 30, m_user), stream)
        << "a length beyond the stream gives the whole stream";
    test::WriteFileBytes(path, "MOSVELDAT plain");
    EXPECT_EQ(CProtectedArchive::ReadStreamStart(path, 9, m_user), "MOSVELDAT");
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(ContainerFileTest, TheStartOfAScrambledFileNeedsItsPassword) {
    const QString path = PathOf("scrambled.vld");
    test::WriteFileBytes(path, CProtectedArchive::Pack(AsBytes(SampleStream()), "pw"));
    EXPECT_THROW(CProtectedArchive::ReadStreamStart(path, 9, m_user), UserAlreadyToldError);
    EXPECT_EQ(m_user.messages, QStringList({"Password incorrect!!!"}));
    test::WriteFileBytes(path, CProtectedArchive::Pack(AsBytes(SampleStream()), "abab"));
    EXPECT_EQ(CProtectedArchive::ReadStreamStart(path, 9, m_user), "MOSVELDAT")
        << "a password whose bytes cancel out opens without one";
    EXPECT_THROW(CProtectedArchive::ReadStreamStart(PathOf("missing"), 9, m_user), FileError);
}

// The start of a stream is read from files others put in a library; each
// fault ends at once in the one wording that names the file.
TEST_F(ContainerFileTest, TheStartOfAFileThatIsNoneIsRefusedNamingIt) {
    const auto failure = [this](const QString& path) {
        try {
            CProtectedArchive::ReadStreamStart(path, 9, m_user);
        } catch (const VeloraError& error) {
            return error.Message();
        }
        return QStringLiteral("read");
    };
    const QString pipe = PathOf("pipe.vld");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(failure(pipe), pipe + ": is a pipe, not a regular file");
    EXPECT_EQ(failure(m_dir.path()), m_dir.path() + ": is a folder, not a file");

    QByteArray file = CProtectedArchive::Pack(AsBytes(NoisyStream(4000)));
    file[CProtectedArchive::kHeaderSize] = '\x7f';
    const QString damaged = PathOf("damaged.vld");
    test::WriteFileBytes(damaged, file);
    EXPECT_EQ(failure(damaged), damaged + ": the compressed data is damaged");
    test::WriteFileBytes(damaged, file.left(CProtectedArchive::kHeaderSize + 40));
    EXPECT_TRUE(failure(damaged).startsWith(damaged + ": ")) << failure(damaged).toStdString();
}

}  // namespace
}  // namespace velora
