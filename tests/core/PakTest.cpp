#include "core/Pak.h"

#include <zlib.h>

#include <cstdlib>
#include <filesystem>

#include "EngineFixture.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "core/PakFormat.h"
#include "core/PelmarEngine.h"

namespace {

using plmtest::ReadFile;
using plmtest::Undated;
using plmtest::WriteFile;

const plm::PakSalt kSalt = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

// A small folder's worth of entries: text, binary with every byte value, one byte, empty.
std::vector<plm::PakFile> SampleFiles() {
    std::string binary;
    for (int i = 0; i < 512; ++i) binary.push_back(static_cast<char>(i & 0xFF));
    return {{"readme.txt", "hello, archive\n"}, {"t1.png", binary}, {"b.dat", "x"}, {"empty.bin", ""}};
}

std::string Build(const std::vector<plm::PakFile>& files, const std::string& password, const std::string& key,
                  bool secure = false) {
    std::string out, error;
    EXPECT_TRUE(plm::BuildPak(files, password, key, secure, kSalt, out, error)) << error;
    return out;
}

// Rewrites the header checksum after a test has edited the header or directory.
void FixHeaderCrc(std::string& a) {
    uint32_t dirSize = 0;
    for (int i = 0; i < 4; ++i) dirSize |= uint32_t{static_cast<uint8_t>(a[64 + i])} << (8 * i);
    uLong c = crc32(0L, reinterpret_cast<const Bytef*>(a.data()), 68);
    c = crc32(c, reinterpret_cast<const Bytef*>(a.data()) + 72, dirSize);
    for (int i = 0; i < 4; ++i) a[68 + i] = static_cast<char>((c >> (8 * i)) & 0xFF);
}

class PakTest : public plmtest::EngineTest {
protected:
    std::string ArchivePath() const { return folder.file("media.pak"); }
    void WriteArchive(const std::string& bytes) const { WriteFile(ArchivePath(), bytes); }
    bool Unpack(const std::string& password = "qelvoptur", const std::string& key = "wintolbrax",
                bool secure = false, const std::string& only = "") {
        return pak.UnPack("media.pak", password, key, secure, only);
    }
    // Files in the folder besides the archive and the log.
    std::vector<std::string> Written() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder.path())) {
            std::string n = e.path().filename().string();
            if (n != "media.pak" && n != "data.log") names.push_back(n);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // The undated lines of the log's error block: operation and first detail line.
    std::vector<std::string> ErrorHead() const {
        std::vector<std::string> lines = Log();
        std::vector<std::string> head;
        for (size_t i = 0; i < lines.size() && head.size() < 3; ++i)
            head.push_back(i == 0 ? lines[i] : Undated(lines[i]));
        return head;
    }
    plm::Pak pak;
};

TEST(Sha256, KnownDigests) {
    auto hex = [](const plm::Sha256Digest& d) {
        std::string s;
        char buf[3];
        for (uint8_t b : d) {
            std::snprintf(buf, sizeof buf, "%02x", b);
            s += buf;
        }
        return s;
    };
    EXPECT_EQ(hex(plm::Sha256("")), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(hex(plm::Sha256("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits the first padding block.
    EXPECT_EQ(hex(plm::Sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST_F(PakTest, RoundTripOfASmallFolder) {
    std::string archive = Build(SampleFiles(), "qelvoptur", "wintolbrax");
    EXPECT_EQ(archive.substr(0, 11), "PLM Pak v.1");
    // Neither the password nor any entry's bytes appear as plain text.
    EXPECT_EQ(archive.find("qelvoptur"), std::string::npos);
    EXPECT_EQ(archive.find("hello, archive"), std::string::npos);
    WriteArchive(archive);
    WriteFile(folder.file("readme.txt"), "an older file that the archive replaces");

    ASSERT_TRUE(Unpack());
    for (const plm::PakFile& f : SampleFiles()) EXPECT_EQ(ReadFile(folder.file(f.Name)), f.Data) << f.Name;
    EXPECT_EQ(Written(), (std::vector<std::string>{"b.dat", "empty.bin", "readme.txt", "t1.png"}));
    EXPECT_EQ(plm::State().UnpackedFiles.size(), 4u);
    EXPECT_TRUE(LogText().empty());

    // Unpacking again lists each file once.
    ASSERT_TRUE(Unpack());
    EXPECT_EQ(plm::State().UnpackedFiles.size(), 4u);
}

TEST_F(PakTest, WrongPasswordWritesNothing) {
    WriteArchive(Build(SampleFiles(), "qelvoptur", "wintolbrax"));
    EXPECT_FALSE(Unpack("qelvoptuR"));
    EXPECT_FALSE(Unpack(""));
    EXPECT_TRUE(Written().empty());
    EXPECT_TRUE(plm::State().UnpackedFiles.empty());
    EXPECT_EQ(ErrorHead(), (std::vector<std::string>{plm::kDashLine, "Error: (UnPack)", "Incorrect password."}));
}

TEST_F(PakTest, MissingArchiveIsReported) {
    EXPECT_FALSE(Unpack());
    EXPECT_EQ(ErrorHead(), (std::vector<std::string>{plm::kDashLine, "Error: (UnPack)",
                                                     "File to unpack not found: " + ArchivePath()}));
    EXPECT_TRUE(Written().empty());
}

TEST_F(PakTest, OneFileOnly) {
    WriteArchive(Build(SampleFiles(), "qelvoptur", "wintolbrax"));
    // Compared trimmed and in upper case.
    ASSERT_TRUE(Unpack("qelvoptur", "wintolbrax", false, "  T1.PNG "));
    EXPECT_EQ(Written(), std::vector<std::string>{"t1.png"});
    EXPECT_EQ(plm::State().UnpackedFiles, std::vector<std::string>{folder.file("t1.png")});
    // A name of one character means every entry.
    ASSERT_TRUE(Unpack("qelvoptur", "wintolbrax", false, "x"));
    EXPECT_EQ(Written().size(), 4u);
}

TEST_F(PakTest, OneFileNotInTheArchiveIsAFailure) {
    WriteArchive(Build(SampleFiles(), "qelvoptur", "wintolbrax"));
    EXPECT_FALSE(Unpack("qelvoptur", "wintolbrax", false, "missing.png"));
    EXPECT_TRUE(Written().empty());
    EXPECT_EQ(ErrorHead()[1], "Error: (UnPack)");
}

TEST_F(PakTest, SecureArchives) {
    std::string secure = Build(SampleFiles(), "pw", "key", true);
    EXPECT_NE(secure.substr(0, 11), "PLM Pak v.1");  // masked as a whole
    WriteArchive(secure);
    EXPECT_FALSE(Unpack("pw", "key", false));           // read as plain: not an archive
    EXPECT_FALSE(Unpack("pw", "other key", true));      // unmasked with the wrong key
    EXPECT_TRUE(Written().empty());
    ASSERT_TRUE(Unpack("pw", "key", true));
    for (const plm::PakFile& f : SampleFiles()) EXPECT_EQ(ReadFile(folder.file(f.Name)), f.Data) << f.Name;
    // No unmasked copy is left behind.
    EXPECT_EQ(Written().size(), 4u);

    WriteArchive(Build(SampleFiles(), "pw", "key", false));
    EXPECT_FALSE(Unpack("pw", "key", true));  // a plain archive is not read as a secure one
}

TEST_F(PakTest, EmptyKeyAndPasswordWork) {
    WriteArchive(Build(SampleFiles(), "", "", true));
    ASSERT_TRUE(Unpack("", "", true));
    EXPECT_EQ(ReadFile(folder.file("readme.txt")), "hello, archive\n");
}

TEST_F(PakTest, WrongKeyOrDamagedDataWritesNothing) {
    const std::string good = Build(SampleFiles(), "pw", "key");
    WriteFile(folder.file("readme.txt"), "kept");
    std::vector<std::pair<const char*, std::string>> cases;
    cases.push_back({"wrong key", good});
    std::string flipped = good;
    flipped.back() ^= 0x01;  // last byte of the last entry's data
    cases.push_back({"data byte flipped", flipped});
    cases.push_back({"truncated by one", good.substr(0, good.size() - 1)});
    cases.push_back({"one byte added", good + "!"});
    cases.push_back({"header only", good.substr(0, plm::kPakHeaderSize)});
    cases.push_back({"shorter than a header", good.substr(0, 40)});
    cases.push_back({"one byte", "P"});
    std::string header = good;
    header[20] ^= 0x40;  // inside the salt: the header checksum catches it
    cases.push_back({"header byte flipped", header});
    std::string bigEntry = good;
    bigEntry[72 + 2 + 10] = static_cast<char>(0xFF);  // size of the first entry -> far too large
    FixHeaderCrc(bigEntry);
    cases.push_back({"entry length beyond the archive", bigEntry});
    std::string manyEntries = good;
    manyEntries[60] = 5;  // five entries listed, four present
    FixHeaderCrc(manyEntries);
    cases.push_back({"entry count too high", manyEntries});
    std::string huge = good;
    huge[64 + 3] = 0x7F;  // directory size beyond the archive
    cases.push_back({"directory beyond the archive", huge});

    for (const auto& [what, bytes] : cases) {
        WriteArchive(bytes);
        std::string key = std::string(what) == "wrong key" ? "kez" : "key";
        EXPECT_FALSE(Unpack("pw", key)) << what;
        EXPECT_EQ(Written(), std::vector<std::string>{"readme.txt"}) << what;
        EXPECT_EQ(ReadFile(folder.file("readme.txt")), "kept") << what;
        EXPECT_NE(LogText().find("Error: (UnPack)"), std::string::npos) << what;
    }
    EXPECT_TRUE(plm::State().UnpackedFiles.empty());
}

TEST_F(PakTest, NamesThatLeaveTheFolderAreRefused) {
    // The first entry's name is rewritten in place (same length, then shorter), checksum fixed.
    for (std::string bad : {std::string("../readme"), std::string("/etc/pass"), std::string("sub/a.txt"),
                            std::string("a\\..\\..\\x"), std::string(".."), std::string("")}) {
        std::vector<plm::PakFile> files = {{std::string(bad.size() ? bad.size() : 1, 'n'), "evil"},
                                           {"ok.txt", "fine"}};
        std::string archive = Build(files, "pw", "key");
        if (bad.empty()) {
            // Name length 0: drop the one name byte and shift the directory size.
            archive.erase(72 + 2, 1);
            archive[72] = 0;
            archive[64] = static_cast<char>(archive[64] - 1);
        } else {
            archive.replace(72 + 2, bad.size(), bad);
        }
        FixHeaderCrc(archive);
        WriteArchive(archive);
        EXPECT_FALSE(Unpack("pw", "key")) << bad;
        EXPECT_TRUE(Written().empty()) << bad;  // not even the harmless entry
        EXPECT_FALSE(std::filesystem::exists(folder.path() + "../readme")) << bad;
    }
    // The packer refuses them too.
    std::string out, error;
    EXPECT_FALSE(plm::BuildPak({{"../x", "a"}}, "pw", "key", false, kSalt, out, error));
    EXPECT_FALSE(plm::BuildPak({{"a.txt", "a"}, {"A.TXT", "b"}}, "pw", "key", false, kSalt, out, error));
}

TEST_F(PakTest, CleanUpKeepsAudioOnlyWhenAsked) {
    std::vector<plm::PakFile> files = {{"m1.mod", "module"}, {"pop.wav", "riff"}, {"LOUD.MP3", "id3"},
                                       {"tune.Mid", "midi"}, {"a.rmi", "rmi"}, {"one.txt", "1"},
                                       {"t1.png", "png"}};
    WriteArchive(Build(files, "pw", "key"));
    ASSERT_TRUE(Unpack("pw", "key"));
    WriteFile(folder.file("mine.txt"), "not from the archive");

    pak.CleanUp(true);
    EXPECT_EQ(Written(), (std::vector<std::string>{"LOUD.MP3", "a.rmi", "mine.txt", "pop.wav", "tune.Mid"}));
    // The audio files stay listed, so the engine's shutdown still removes them.
    plm::DeleteUnpackedFiles();
    EXPECT_EQ(Written(), std::vector<std::string>{"mine.txt"});

    ASSERT_TRUE(Unpack("pw", "key"));
    pak.CleanUp(false);
    EXPECT_EQ(Written(), std::vector<std::string>{"mine.txt"});  // the 1-byte file too
    EXPECT_TRUE(plm::State().UnpackedFiles.empty());
}

TEST_F(PakTest, TerminateDeletesWhatTheEngineUnpacked) {
    WriteArchive(Build(SampleFiles(), "qelvoptur", "wintolbrax"));
    plm::PelmarEngine e;
    e.Path(folder.path());
    e.Initialize();
    ASSERT_TRUE(e.Pak()->UnPack("media.pak", "qelvoptur", "wintolbrax", false, ""));
    WriteFile(folder.file("mine.txt"), "not from the archive");
    e.Terminate();
    EXPECT_EQ(Written(), std::vector<std::string>{"mine.txt"});
}

TEST_F(PakTest, PackerToolBuildsAndListsArchives) {
    const std::string tool = std::string(PLM_BIN_DIR) + "/plmpak";
    if (!std::filesystem::exists(tool)) GTEST_SKIP() << "plmpak not built";
    plmtest::TempFolder src;
    WriteFile(src.file("t1.png"), "picture bytes");
    WriteFile(src.file("pop.wav"), "sound bytes");
    for (bool secure : {false, true}) {
        std::string cmd = tool + " create " + ArchivePath() + " -p qelvoptur -k wintolbrax" +
                          (secure ? " --secure" : "") + " " + src.file("t1.png") + " " + src.file("pop.wav");
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        std::string list = folder.file("list.txt");
        cmd = tool + " list " + ArchivePath() + " -k wintolbrax" + (secure ? " --secure" : "") + " > " + list;
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        EXPECT_EQ(ReadFile(list), "13\tt1.png\n11\tpop.wav\n");
        std::filesystem::remove(list);
        ASSERT_TRUE(Unpack("qelvoptur", "wintolbrax", secure));
        EXPECT_EQ(ReadFile(folder.file("pop.wav")), "sound bytes");
    }
    // A name that repeats is refused and leaves the archive as it was.
    std::string before = ReadFile(ArchivePath());
    std::string cmd = tool + " create " + ArchivePath() + " -p a -k b " + src.file("t1.png") + " " + src.file("t1.png") +
                      " 2>/dev/null";
    EXPECT_NE(std::system(cmd.c_str()), 0);
    EXPECT_EQ(ReadFile(ArchivePath()), before);
}

}  // namespace
