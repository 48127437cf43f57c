#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Sentence.h"
#include "tools/tarnell-sim/Interpreter.h"

using namespace tarnell::sim;
using tarnell::CompleteSentence;

namespace {

using Replies = std::vector<std::string>;

// The replies to one command body, sent complete.
Replies Send(CommandInterpreter& in, const std::string& body) {
    return in.Handle(CompleteSentence(body));
}

std::string Ack(const char* command, int flag) {
    return CompleteSentence(std::string("$PMTK001,") + command + "," + std::to_string(flag));
}

}  // namespace

TEST(SimInterpreter, QueriesAnswerTheCurrentSettings) {
    Receiver rx;
    CommandInterpreter in(rx);
    struct Case {
        const char *query, *answer;
    } cases[] = {
        {"$PMTK400", "$PMTK500,1000,0,0,0,0"},
        {"$PMTK401", "$PMTK501,2"},
        {"$PMTK414", "$PMTK514,1,1,1,1,1,1,0,0,0,0,0,0,0,0,0,0,0,1,1"},
        {"$PMTK419", "$PMTK519,1"},
        {"$PMTK430", "$PMTK530,0"},
        {"$PMTK490", "$PMTK590,3,1,115200,1,1,1,1,1,1,1,1,2,0,4800"},
        {"$PMTK602", "$PMTK702,2,0,4800"},
        {"$PMTK604", "$PMTK704,EMULATED,32CH"},
        {"$PMTK605", "$PMTK705,TarnellSim_1.0,0001"},
    };
    for (const Case& c : cases) EXPECT_EQ(Send(in, c.query), Replies{CompleteSentence(c.answer)}) << c.query;
}

TEST(SimInterpreter, CommandsAreAcknowledgedAndShowInTheAnswers) {
    struct Case {
        const char *command, *ackNumber, *query, *answer;
    } cases[] = {
        {"$PMTK314,0,1,0,1,1,5,0,0,0,0,0,0,0,0,0,0,0,2,3", "314", "$PMTK414",
         "$PMTK514,0,1,0,1,1,5,0,0,0,0,0,0,0,0,0,0,0,2,3"},
        {"$PMTK300,200,0,0,0,0", "300", "$PMTK400", "$PMTK500,200,0,0,0,0"},
        {"$PMTK301,0", "301", "$PMTK401", "$PMTK501,0"},
        {"$PMTK319,0", "319", "$PMTK419", "$PMTK519,0"},
        {"$PMTK330,222", "330", "$PMTK430", "$PMTK530,222"},
    };
    for (const Case& c : cases) {
        Receiver rx;
        CommandInterpreter in(rx);
        EXPECT_EQ(Send(in, c.command), Replies{Ack(c.ackNumber, 3)}) << c.command;
        EXPECT_EQ(Send(in, c.query), Replies{CompleteSentence(c.answer)}) << c.command;
    }

    // Restoring the defaults undoes a change of the rates.
    Receiver rx;
    CommandInterpreter in(rx);
    Send(in, "$PMTK314,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(Send(in, "$PMTK314,-1"), Replies{Ack("314", 3)});
    EXPECT_EQ(rx.rates, DefaultRates());

    // Commands whose effect lies outside the answers.
    EXPECT_EQ(Send(in, "$PMTK251,9600"), Replies{Ack("251", 3)});
    EXPECT_EQ(rx.baud, 9600);
    EXPECT_EQ(Send(in, "$PMTK160,1"), Replies{Ack("160", 3)});
    EXPECT_EQ(rx.lowCurrent, 1);
    EXPECT_EQ(Send(in, "$PMTK188,1"), Replies{Ack("188", 3)});
    EXPECT_TRUE(rx.wakeRequest);
    for (const char* restart : {"101", "102", "103"}) {
        EXPECT_EQ(Send(in, std::string("$PMTK") + restart), Replies{Ack(restart, 3)});
        EXPECT_EQ(rx.restartRequest, std::stoi(restart));
    }
}

TEST(SimInterpreter, FlashWritesCountDownAndAreRefusedAtZero) {
    Receiver rx;
    CommandInterpreter in(rx);
    // What the window sends with every control at its start value: no speeds selected.
    const std::string startValues = "$PMTK390,0,1,4800,0,0,0,0,0,0,0,0,0,0,";
    EXPECT_EQ(Send(in, startValues), Replies{Ack("390", 3)});
    EXPECT_EQ(Send(in, "$PMTK490"), Replies{CompleteSentence("$PMTK590,2,1,4800,0,0,0,0,0,0,0,0,0,0,4800")});
    EXPECT_EQ(Send(in, "$PMTK390,2,5,,1,2,3,4,5,0,1,2,1,123,9600"), Replies{Ack("390", 3)});
    EXPECT_EQ(Send(in, "$PMTK490"),
              Replies{CompleteSentence("$PMTK590,1,5,4800,1,2,3,4,5,0,1,2,1,123,9600")});
    EXPECT_EQ(Send(in, startValues), Replies{Ack("390", 3)});
    EXPECT_EQ(Send(in, startValues), Replies{Ack("390", 2)});
    EXPECT_EQ(Send(in, "$PMTK490"), Replies{CompleteSentence("$PMTK590,0,1,4800,0,0,0,0,0,0,0,0,0,0,9600")});
    EXPECT_EQ(rx.rates, DefaultRates()) << "a flash write leaves the running settings alone";
}

TEST(SimInterpreter, MalformedAndUnknownPackets) {
    struct Case {
        const char *body, *ack;
    } cases[] = {
        {"$PMTK330,223", "$PMTK001,330,0"},
        {"$PMTK330,", "$PMTK001,330,0"},
        {"$PMTK330", "$PMTK001,330,0"},
        {"$PMTK330,1,2", "$PMTK001,330,0"},
        {"$PMTK300,abc,0,0,0,0", "$PMTK001,300,0"},
        {"$PMTK300,1000", "$PMTK001,300,0"},
        {"$PMTK314,1,2", "$PMTK001,314,0"},
        {"$PMTK314,6,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0", "$PMTK001,314,0"},
        {"$PMTK251,", "$PMTK001,251,0"},
        {"$PMTK251,1234", "$PMTK001,251,0"},
        {"$PMTK301,3", "$PMTK001,301,0"},
        {"$PMTK390,0,1,4800,0,0,0,0,0,0,0,0,0,0", "$PMTK001,390,0"},
        {"$PMTK390,0,6,4800,0,0,0,0,0,0,0,0,0,0,", "$PMTK001,390,0"},
        {"$PMTK390,0,1,4801,0,0,0,0,0,0,0,0,0,0,", "$PMTK001,390,0"},
        {"$PMTK999", "$PMTK001,999,1"},
        {"$PMTK220,1000", "$PMTK001,220,1"},
        {"$PMTK3x0,1", "$PMTK001,3x0,0"},
        {"$PMTK", "$PMTK001,,0"},
    };
    for (const Case& c : cases) {
        Receiver rx;
        CommandInterpreter in(rx);
        EXPECT_EQ(Send(in, c.body), Replies{CompleteSentence(c.ack)}) << c.body;
        EXPECT_EQ(rx.datum, 0) << c.body;
        EXPECT_EQ(rx.flashWritesLeft, 3) << c.body;
        EXPECT_EQ(rx.baud, 115200) << c.body;
    }
}

TEST(SimInterpreter, IgnoresWhatAReceiverIgnores) {
    Receiver rx;
    CommandInterpreter in(rx);
    for (const char* line : {"$PMTK414*34\r\n", "$PMTK414\r\n", "$PMTK414*3\r\n", "$PMTK414*333\r\n", "\r\n",
                             "", "PMTK414*33\r\n"})
        EXPECT_TRUE(in.Handle(line).empty()) << line;
    EXPECT_TRUE(in.Handle(CompleteSentence("$GPGGA,120000.000,,,,,0,00,,,M,,M,,")).empty());
    // Lower-case checksum digits are as good as upper-case ones.
    EXPECT_EQ(in.Handle("$PMTK490*3f\r\n").size(), 1u);
}

TEST(SimInterpreter, FeedFramesSentencesFromAnyPieces) {
    const std::string stream = CompleteSentence("$PMTK330,5") + "noise" + CompleteSentence("$PMTK430") +
                               "xx" + CompleteSentence("$PMTK414");  // a "$" resynchronises mid-line
    const Replies expected = {Ack("330", 3), CompleteSentence("$PMTK530,5"),
                              CompleteSentence("$PMTK514,1,1,1,1,1,1,0,0,0,0,0,0,0,0,0,0,0,1,1")};
    for (std::size_t piece : {stream.size(), std::size_t{1}, std::size_t{7}}) {
        Receiver rx;
        CommandInterpreter in(rx);
        Replies got;
        for (std::size_t at = 0; at < stream.size(); at += piece)
            for (std::string& r : in.Feed(std::string_view(stream).substr(at, piece))) got.push_back(r);
        EXPECT_EQ(got, expected) << piece;
    }

    // An overlong line is dropped whole, also when its tail looks like a sentence without its "$".
    Receiver rx;
    CommandInterpreter in(rx);
    const std::string overlong = std::string(CommandInterpreter::kMaxLine + 10, 'A') + "PMTK414*33\r\n";
    EXPECT_TRUE(in.Feed(overlong).empty());
    EXPECT_EQ(in.Feed(CompleteSentence("$PMTK430")), Replies{CompleteSentence("$PMTK530,0")});
}

TEST(SimInterpreter, ChosenCommandsFailAndChangeNothing) {
    Receiver rx;
    rx.failing = {330, 390, 103};
    CommandInterpreter in(rx);
    EXPECT_EQ(Send(in, "$PMTK330,12"), Replies{Ack("330", 2)});
    EXPECT_EQ(Send(in, "$PMTK390,0,1,4800,0,0,0,0,0,0,0,0,0,0,"), Replies{Ack("390", 2)});
    EXPECT_EQ(Send(in, "$PMTK103"), Replies{Ack("103", 2)});
    EXPECT_EQ(rx.restartRequest, 0);
    EXPECT_EQ(Send(in, "$PMTK490"),
              Replies{CompleteSentence("$PMTK590,3,1,115200,1,1,1,1,1,1,1,1,2,0,4800")});
    EXPECT_EQ(Send(in, "$PMTK430"), Replies{CompleteSentence("$PMTK530,0")});
    // A malformed packet is still reported as malformed.
    EXPECT_EQ(Send(in, "$PMTK330,999"), Replies{Ack("330", 0)});
}
