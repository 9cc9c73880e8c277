#include "library/Base64.h"

#include "platform/base/GlobalMemory.h"
#include "tests/support/RunTool.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

UniqueGlobal BlockOf(std::string_view bytes) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    const CGlobalLock lock(block.get());
    std::memcpy(lock.Bytes(), bytes.data(), bytes.size());
    return block;
}

// The block's first length bytes; also checks the block holds them.
std::string BytesOf(HGLOBAL block, DWORD length) {
    const CGlobalLock lock(block);
    EXPECT_GE(lock.Size(), length);
    return std::string(reinterpret_cast<const char*>(lock.Bytes()), length);
}

std::string Encode(std::string_view bytes, int lineLength) {
    const UniqueGlobal source = BlockOf(bytes);
    DWORD length = 12345;
    const UniqueGlobal text(
        Base64EncodeBuffer(source.get(), static_cast<int>(bytes.size()), length, lineLength));
    if (!text)
        return "(null)";
    EXPECT_EQ(GlobalFlags(text.get()) & GMEM_LOCKCOUNT, 0u) << "handed back unlocked";
    EXPECT_EQ(BytesOf(text.get(), length + 1).back(), '\0') << "zero-terminated";
    return BytesOf(text.get(), length);
}

std::string Decode(std::string_view text) {
    const UniqueGlobal source = BlockOf(text);
    DWORD length = 12345;
    const UniqueGlobal bytes(Base64DecodeBuffer(source.get(), static_cast<int>(text.size()), length));
    if (!bytes)
        return "(null)";
    EXPECT_EQ(GlobalSize(bytes.get()), text.size() * 3 / 4);
    return BytesOf(bytes.get(), length);
}

std::string Bytes(size_t count) {
    std::string bytes;
    for (size_t i = 0; i < count; ++i)
        bytes += static_cast<char>((i * 37 + 11) % 256);
    return bytes;
}

TEST(Base64Test, EncodesInLinesOfWholeGroups) {
    struct Case {
        const char* name;
        std::string bytes;
        int lineLength;
        std::string text;
    };
    // Expected texts as Python's base64.b64encode gives them, cut into our lines.
    const std::string line52 = "CzBVep/E6Q4zWH2ix+wRNluApcrvFDleg6jN8hc8YYar0PUaP2SJ";
    const Case cases[] = {
        {"EmptyInputNoLineBreak", "", 76, ""},
        {"OneByteTwoPads", "M", 76, "TQ==\r\n"},
        {"TwoBytesOnePad", "Ma", 76, "TWE=\r\n"},
        {"ThreeBytesNoPad", "Man", 76, "TWFu\r\n"},
        {"ThirtyNineBytesOneLineOf52", Bytes(39), 54, line52 + "\r\n"},
        {"FiftyTwoBytesOneLineOf72", Bytes(52), 76, line52 + "rtP4HUJnjLHW+yBFag==\r\n"},
        {"FiftySevenBytesExactlyOneFullLine", Bytes(57), 76, line52 + "rtP4HUJnjLHW+yBFao+02f4j\r\n"},
        {"FiftyEightBytesBreakAfter76", Bytes(58), 76, line52 + "rtP4HUJnjLHW+yBFao+02f4j\r\nSA==\r\n"},
        {"FortyBytesWrapAt52", Bytes(40), 54, line52 + "\r\nrg==\r\n"},
        {"LineArgumentBelowFourKeepsOneLine", Bytes(7), 3, "CzBVep/E6Q==\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Encode(c.bytes, c.lineLength), c.text) << c.name;
}

TEST(Base64Test, DecodesSkippingEverythingOutsideTheAlphabet) {
    struct Case {
        const char* name;
        std::string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"Empty", "", ""},
        {"WholeGroup", "TWFu", "Man"},
        {"OnePad", "TWE=", "Ma"},
        {"TwoPads", "TQ==", "M"},
        {"LineBreaksSkipped", "TWFu\r\nTWFu\r\n", "ManMan"},
        {"GarbageSkipped", "T*W F\tu!", "Man"},
        {"LastCharacterCountsWithoutLineBreak", "TWFuTWE", "ManMa"},
        {"LoneTrailingCharacterGivesNothing", "TWFuT", "Man"},
        {"PadsInsideAreSkippedToo", "TQ==TQ==", std::string("M\x04\xD0", 3)},
        {"ZeroBytesKept", "AAAA", std::string(3, '\0')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Decode(c.text), c.bytes) << c.name;
}

TEST(Base64Test, RefusesSourcesThatDoNotHoldTheLength) {
    const UniqueGlobal source = BlockOf("TWFu");
    DWORD length = 7;
    EXPECT_EQ(Base64EncodeBuffer(source.get(), 5, length, 76), nullptr) << "longer than the block";
    EXPECT_EQ(Base64DecodeBuffer(source.get(), 5, length), nullptr);
    EXPECT_EQ(Base64EncodeBuffer(source.get(), -1, length, 76), nullptr) << "negative";
    EXPECT_EQ(Base64DecodeBuffer(source.get(), -1, length), nullptr);
    EXPECT_EQ(Base64EncodeBuffer(nullptr, 0, length, 76), nullptr) << "no block";
    EXPECT_EQ(Base64DecodeBuffer(nullptr, 0, length), nullptr);
    EXPECT_EQ(length, 7u) << "untouched on failure";
}

std::string RunPython(const std::string& script) {
    std::string out;
    return RunTool("/usr/bin/python3 -c '" + script + "'", &out) == 0 ? out : "(python failed)";
}

// Python's MIME encoder writes 76-character lines; ours end them with CR LF where it writes LF.
TEST(Base64Test, AgreesWithPython) {
    const size_t lengths[] = {0, 1, 2, 3, 39, 52, 56, 57, 58, 114, 1000};
    std::string encodedByPython = RunPython(
        "import base64, sys\n"
        "for n in (0, 1, 2, 3, 39, 52, 56, 57, 58, 114, 1000):\n"
        "    data = bytes((i * 37 + 11) % 256 for i in range(n))\n"
        "    sys.stdout.write(base64.encodebytes(data).decode().replace(\"\\n\", \"\\r\\n\") + \"|\")\n");
    for (const size_t length : lengths) {
        const size_t end = encodedByPython.find('|');
        ASSERT_NE(end, std::string::npos) << encodedByPython;
        EXPECT_EQ(Encode(Bytes(length), 76), encodedByPython.substr(0, end)) << length << " bytes";
        encodedByPython.erase(0, end + 1);
    }

    // Python's text with stray characters that a decoder must pass over.
    const std::string text =
        RunPython("import base64, sys\n"
                  "data = bytes((i * 37 + 11) % 256 for i in range(1000))\n"
                  "t = base64.b64encode(data).decode()\n"
                  "sys.stdout.write(\"\\r\\n\".join(t[i:i + 60] for i in range(0, len(t), 60)) + \" *#\")\n");
    EXPECT_EQ(Decode(text), Bytes(1000));
}

} // namespace
