// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/archive.h"
#include "core/common/errors.h"
#include "stream_bytes.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::Bytes;

QByteArray Written(const QString& text) {
    ArchiveWriter writer;
    writer.WriteString(text);
    return writer.Data();
}

QString ReadBack(const QByteArray& bytes) {
    ArchiveReader reader(bytes);
    QString text = reader.ReadString();
    EXPECT_TRUE(reader.AtEnd()) << "the whole string should be consumed";
    return text;
}

TEST(ArchiveWriterTest, IntegersAndFloatsAreLittleEndian) {
    ArchiveWriter writer;
    writer.WriteU8(0xAB);
    writer.WriteU16(0x1234);
    writer.WriteU32(0xDEADBEEF);
    writer.WriteI32(-2);
    writer.WriteF32(1.5f);
    EXPECT_EQ(writer.Data(), QByteArray::fromHex("ab3412efbeaddefeffffff0000c03f"));
}

TEST(ArchiveReaderTest, ReadsWhatTheLayoutSays) {
    const QByteArray bytes = Bytes().U8(7).U16(0xBEEF).U32(0x01020304).I32(-5).F32(-0.25f).Data();
    ArchiveReader reader(bytes);
    EXPECT_EQ(reader.ReadU8(), 7);
    EXPECT_EQ(reader.ReadU16(), 0xBEEF);
    EXPECT_EQ(reader.ReadU32(), 0x01020304u);
    EXPECT_EQ(reader.ReadI32(), -5);
    EXPECT_EQ(reader.ReadF32(), -0.25f);
    EXPECT_TRUE(reader.AtEnd());
}

TEST(ArchiveStringTest, AsciiLengthFormsFollowTheirBoundaries) {
    // Below 255 one length byte; up to 65533 a marker byte and u16; beyond
    // that the u16 0xFFFF and a u32.
    EXPECT_EQ(Written(""), QByteArray(1, '\0'));
    EXPECT_EQ(Written("ab"), QByteArray("\x02"
                                        "ab"));
    const QString s254(254, 'x'), s255(255, 'y'), s65533(65533, 'z'), s65534(65534, 'w');
    EXPECT_EQ(Written(s254).left(1), QByteArray::fromHex("fe"));
    EXPECT_EQ(Written(s254).size(), 1 + 254);
    EXPECT_EQ(Written(s255).left(3), QByteArray::fromHex("ffff00"));
    EXPECT_EQ(Written(s255).size(), 3 + 255);
    EXPECT_EQ(Written(s65533).left(3), QByteArray::fromHex("fffdff"));
    EXPECT_EQ(Written(s65534).left(7), QByteArray::fromHex("ffffff"
                                                           "feff0000"));
    EXPECT_EQ(Written(s65534).size(), 7 + 65534);
    for (const QString& s : {s254, s255, s65533, s65534}) EXPECT_EQ(ReadBack(Written(s)), s);
}

TEST(ArchiveStringTest, NonAsciiIsWrittenInTheUnicodeMarkedForm) {
    // "é" counts one UTF-16 unit; the emoji two.
    EXPECT_EQ(Written(QString::fromUtf8("é")), QByteArray::fromHex("fffeff"
                                                                   "01"
                                                                   "e900"));
    const QString emoji = QString::fromUtf8("a\xF0\x9F\x98\x80");
    EXPECT_EQ(Written(emoji), QByteArray::fromHex("fffeff"
                                                  "03"
                                                  "6100"
                                                  "3dd8"
                                                  "00de"));
    const QString longWide = QString(300, QChar(0x4E2D));
    const QByteArray bytes = Written(longWide);
    EXPECT_EQ(bytes.left(6), QByteArray::fromHex("fffeff"
                                                 "ff"
                                                 "2c01"));
    EXPECT_EQ(bytes.size(), 6 + 600);
    EXPECT_EQ(ReadBack(bytes), longWide);
    EXPECT_EQ(ReadBack(Written(emoji)), emoji);
}

TEST(ArchiveStringTest, SingleByteTextIsUtf8WhenValidElseWindows1252) {
    EXPECT_EQ(ReadBack(Bytes().Str("Caf\xC3\xA9")), QString::fromUtf8("Café"));
    EXPECT_EQ(ReadBack(Bytes().Str("Caf\xE9")), QString::fromUtf8("Café"));
    // The 0x80-0x9F block maps to typographic characters, its holes to C1.
    EXPECT_EQ(ReadBack(Bytes().Str("\x80\x85\x8A\x99\x9F\x81\x9D")),
              QString::fromUtf8("€…Š™Ÿ") + QChar(0x81) + QChar(0x9D));
    EXPECT_EQ(ReadBack(Bytes().Str("\xA0\xFF")), QString() + QChar(0xA0) + QChar(0xFF));
}

TEST(ArchiveStringTest, AcceptsEveryLengthFormOnReading) {
    // Single-byte text with a u32 length, and Unicode text with a u16 and a
    // u32 length: forms the writer never picks for such short text.
    EXPECT_EQ(ReadBack(Bytes().U8(0xFF).U16(0xFFFF).U32(2).Raw("hi")), "hi");
    EXPECT_EQ(ReadBack(Bytes().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(1).U16('Q')), "Q");
    EXPECT_EQ(ReadBack(Bytes().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(1).U16('R')), "R");
    EXPECT_EQ(ReadBack(Bytes().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).U32(1).U32(0).Raw("z")), "z");
}

TEST(ArchiveReaderTest, EveryOverrunIsAFormatError) {
    const QByteArray three("\x01\x02\x03", 3), none, abc("abc");
    EXPECT_THROW(ArchiveReader(three).ReadU32(), FormatError);
    EXPECT_THROW(ArchiveReader(none).ReadU8(), FormatError);
    ArchiveReader bytes(abc);
    EXPECT_THROW(bytes.ReadBytes(4), FormatError);
    EXPECT_EQ(bytes.Position(), 0u) << "a refused read consumes nothing";
    // Strings whose length runs past the end, in every length form, and one
    // that stops inside its length.
    EXPECT_THROW(ReadBack(Bytes().U8(5).Raw("abcd")), FormatError);
    EXPECT_THROW(ReadBack(Bytes().U8(0xFF).U16(0x1000).Raw("abcd")), FormatError);
    EXPECT_THROW(ReadBack(Bytes().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFF0)), FormatError);
    EXPECT_THROW(ReadBack(Bytes().U8(0xFF).U16(0xFFFE).U8(3).U16('a').U16('b')), FormatError);
    EXPECT_THROW(ReadBack(Bytes().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).U32(0).U32(0x80000000)),
                 FormatError);
    EXPECT_THROW(ReadBack(Bytes().U8(0xFF).U8(0xFF)), FormatError);
}

TEST(ArchiveReaderTest, CountsAreBoundedByTheBytesLeft) {
    const QByteArray three = Bytes().U32(3).Raw("123456");
    const QByteArray four = Bytes().U32(4).Raw("123456");
    const QByteArray most = Bytes().U32(0xFFFFFFFF).Raw("x");
    EXPECT_EQ(ArchiveReader(three).ReadCount(2), 3u);
    EXPECT_THROW(ArchiveReader(four).ReadCount(2), FormatError);
    EXPECT_THROW(ArchiveReader(most).ReadCount(1), FormatError);
}

}  // namespace
}  // namespace velora
