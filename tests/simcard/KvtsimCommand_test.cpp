// kvtsim's command line.
#include <gtest/gtest.h>

#include <cmath>

#include "Command.h"

namespace {

using kvtsim::Action;

kvtsim::Command Parsed(std::vector<std::string> args) {
    kvtsim::Command command;
    std::string error;
    EXPECT_TRUE(kvtsim::ParseCommand(args, &command, &error)) << error;
    return command;
}

std::string Rejected(std::vector<std::string> args) {
    kvtsim::Command command;
    std::string error;
    EXPECT_FALSE(kvtsim::ParseCommand(args, &command, &error)) << args[0];
    return error;
}

TEST(KvtsimCommand, Weights) {
    const kvtsim::Command c = Parsed({"weights", "KVT1", "1.5", "-0.25", "0", "12"});
    EXPECT_EQ(c.action, Action::Weights);
    EXPECT_EQ(c.card, "KVT1");
    EXPECT_EQ(c.weights[0], 1.5f);
    EXPECT_EQ(c.weights[1], -0.25f);
    EXPECT_EQ(c.weights[2], 0.0f);
    EXPECT_EQ(c.weights[3], 12.0f);
    const kvtsim::Command odd = Parsed({"weights", "KVT1", "inf", "-inf", "nan", "1e30"});
    EXPECT_TRUE(std::isinf(odd.weights[0]));
    EXPECT_TRUE(std::isnan(odd.weights[2]));
    Rejected({"weights", "KVT1", "1", "2", "3"});
    Rejected({"weights", "KVT1", "1", "2", "3", "4kg"});
    Rejected({"weights", "KV T1", "1", "2", "3", "4"});
}

TEST(KvtsimCommand, Faults) {
    kvtsim::Command c = Parsed({"fault", "KVT1", "init", "0x80000005"});
    EXPECT_EQ(c.action, Action::Fault);
    EXPECT_EQ(c.fault, kvtsim::Fault::Init);
    EXPECT_EQ(c.code, 0x80000005u);
    EXPECT_EQ(Parsed({"fault", "KVT1", "read", "0xFFFFFFFF"}).code, 0xFFFFFFFFu);
    EXPECT_EQ(Parsed({"fault", "KVT1", "finish", "0"}).code, 0u);
    EXPECT_EQ(Parsed({"fault", "KVT1", "open"}).fault, kvtsim::Fault::Open);
    EXPECT_EQ(Parsed({"nofault", "KVT1", "read"}).action, Action::NoFault);
    Rejected({"fault", "KVT1", "init"});
    Rejected({"fault", "KVT1", "open", "5"});
    Rejected({"fault", "KVT1", "close", "5"});
    Rejected({"fault", "KVT1", "init", "0x100000000"});
}

TEST(KvtsimCommand, TextsTraceAndSwitches) {
    kvtsim::Command c = Parsed({"text", "0x5", "Access denied"});
    EXPECT_EQ(c.action, Action::Text);
    EXPECT_EQ(c.code, 5u);
    EXPECT_EQ(c.text, "Access denied");
    EXPECT_EQ(Parsed({"text", "7", std::string(256, 'x')}).text.size(), 256u);
    Rejected({"text", "7", std::string(257, 'x')});
    EXPECT_EQ(Parsed({"notext", "7"}).action, Action::NoText);
    c = Parsed({"trace", "C:\\trace.log"});
    EXPECT_EQ(c.action, Action::Trace);
    EXPECT_EQ(c.text, "C:\\trace.log");
    EXPECT_EQ(Parsed({"trace", "off"}).action, Action::TraceOff);
    EXPECT_EQ(Parsed({"clear"}).action, Action::Clear);
    EXPECT_EQ(Parsed({}).action, Action::Help);
    EXPECT_TRUE(Parsed({"refusestop", "on"}).on);
    EXPECT_FALSE(Parsed({"failstart", "off"}).on);
    EXPECT_EQ(Parsed({"address", "KVT2", "0x3B0"}).number, 0x3B0u);
    c = Parsed({"detectfault", "0x300", "5"});
    EXPECT_EQ(c.number, 0x300u);
    EXPECT_EQ(c.code, 5u);
    EXPECT_EQ(Parsed({"detectfault", "off"}).action, Action::NoDetectFault);
    Rejected({"refusestop", "yes"});
    Rejected({"clear", "now"});
    EXPECT_NE(Rejected({"frobnicate"}).find("frobnicate"), std::string::npos);
}

TEST(KvtsimCommand, Numbers) {
    DWORD value = 0;
    EXPECT_TRUE(kvtsim::ParseNumber("0x3a0", &value));
    EXPECT_EQ(value, 0x3A0u);
    EXPECT_TRUE(kvtsim::ParseNumber("4294967295", &value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    for (const char *bad : {"", "-1", "+5", "0x", "0x-5", "12a", " 5", "4294967296", "0x1FFFFFFFF"})
        EXPECT_FALSE(kvtsim::ParseNumber(bad, &value)) << bad;
}

}  // namespace
