#include "LibraryFixture.h"
#include "Melodrift/ConvertCommand.h"
#include "support/MediaFixtures.h"

#include <cstdio>
#include <sstream>

namespace {

struct Outcome {
    int status;
    std::vector<std::string> out;
    std::string err;
};

std::string drain(FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, file))
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

class ConvertCommandTests : public LibraryFixture {
  protected:
    Outcome run(const std::vector<std::string>& arguments) {
        FILE* out = std::tmpfile();
        FILE* err = std::tmpfile();
        int status = ConvertCommand(out, err).run(arguments);
        return {status, lines(drain(out)), drain(err)};
    }

    std::string tone(const std::string& name, const std::string& encoder = "-c:a pcm_s16le") {
        std::string path = FileManager::defaultManager().temporaryDirectory().path() + "/" + name;
        MediaFixtures::Tone t;
        t.seconds = 0.5;
        t.encoderArguments = encoder;
        EXPECT_TRUE(MediaFixtures::makeTone(path, t));
        return path;
    }
};

} // namespace

TEST_F(ConvertCommandTests, DefaultsToStereoAacAt44100) {
    Outcome outcome = run({tone("take.wav")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    URL output = root.appendingPathComponent("take.m4a");
    EXPECT_EQ(outcome.out, std::vector<std::string>{output.path()});
    auto probe = MediaFixtures::probe(output.path());
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->codecName, "aac");
    EXPECT_EQ(probe->sampleRate, 44100);
    EXPECT_EQ(probe->channels, 2);
}

TEST_F(ConvertCommandTests, OpusDefaultsTo24000AndRefusesRatesItCannotWrite) {
    std::string input = tone("voice.wav");
    Outcome fine = run({"--format", "opus", "--mono", input});
    EXPECT_EQ(fine.status, 0) << fine.err;
    EXPECT_EQ(MediaFixtures::probe(root.appendingPathComponent("voice.opus").path())->channels, 1);

    Outcome refused = run({"--format", "opus", "--rate", "22050", input});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find(input + ": opus cannot be written at 22050 Hz"), std::string::npos);
}

TEST_F(ConvertCommandTests, ABadInputFailsTheRunButTheOthersConvert) {
    std::string good = tone("good.wav");
    std::string text = FileManager::defaultManager().temporaryDirectory().path() + "/notes.txt";
    FileManager::defaultManager().createFile(text, "not audio at all");
    std::string other = tone("other.flac", "-c:a flac");
    Outcome outcome = run({"--format", "wav", good, text, "/no/such/file.wav", other});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(sorted(outcome.out), sorted({root.appendingPathComponent("good.wav").path(),
                                           root.appendingPathComponent("other.wav").path()}));
    EXPECT_NE(outcome.err.find(text + ": holds no audio"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("/no/such/file.wav: no such file"), std::string::npos);
}

TEST_F(ConvertCommandTests, CommandLinesItCannotUse) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{"--speed", "2", "a.wav"}, 2, "unknown option '--speed'"},
        {{"--format", "ogg", "a.wav"}, 2, "unknown format 'ogg'"},
        {{"--rate", "48000", "a.wav"}, 2, "unknown rate '48000'"},
        {{"--format"}, 2, "unknown format ''"},
        {{}, 2, "no file given"},
        {{"/no/such.wav"}, 1, "/no/such.wav: no such file"},
    };
    for (const Case& c : cases) {
        Outcome outcome = run(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.says;
        EXPECT_NE(outcome.err.find(c.says), std::string::npos) << outcome.err;
    }
    Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.front().find("Usage: melodrift convert"), std::string::npos);
}
