#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "platform/QuotedText.h"
#include "platform/TextConversion.h"

namespace morvale {
namespace {

struct AtofCase {
    const char* text;
    double expected;
};

TEST(Atof, FollowsTheCLibraryRules) {
    const AtofCase cases[] = {
        {"", 0.0},
        {"abc", 0.0},
        {"  \t-1.25", -1.25},
        {"+3", 3.0},
        {"0.31", 0.31},
        {"1.5xyz", 1.5},
        {"1e3", 1000.0},
        {"1e", 1.0},
        {"1.e2", 100.0},
        {".5", 0.5},
        {"-.5e-1", -0.05},
        {"1,5", 1.0},
        {"- 1", 0.0},
        {"0x10", 16.0},
        {"-0.7451093", -0.7451093},
        {"0.11301309", 0.11301309},
        {"1e400", HUGE_VAL},
        {"-1e400", -HUGE_VAL},
    };
    for (const AtofCase& c : cases) EXPECT_EQ(Atof(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Atof, ReadsInfinityAndNotANumber) {
    EXPECT_EQ(Atof("inf"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Atof("-Infinity"), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(Atof("nan")));
    EXPECT_TRUE(std::isnan(Atof(" NAN(123)")));
    EXPECT_EQ(Atof("info"), std::numeric_limits<double>::infinity());  // "inf" is the prefix
}

struct AtoiCase {
    const char* text;
    int expected;
};

TEST(Atoi, FollowsTheCLibraryRulesAndSaturates) {
    const AtoiCase cases[] = {
        {"", 0},
        {"x12", 0},
        {"120", 120},
        {"  -7", -7},
        {"+8", 8},
        {"12abc", 12},
        {"3.9", 3},
        {"1e5", 1},
        {"0x1F", 0},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", 2147483647},
        {"-99999999999999999999", INT32_MIN},
        {"99999999999999999999999", 2147483647},
    };
    for (const AtoiCase& c : cases) EXPECT_EQ(Atoi(c.text), c.expected) << '"' << c.text << '"';
}

// The locales this machine has, as `locale -a` lists them.
std::vector<std::string> InstalledLocales() {
    std::vector<std::string> names;
    if (FILE* list = ::popen("locale -a 2>/dev/null", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, list)) {
            std::string name(line);
            while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back())))
                name.pop_back();
            if (!name.empty()) names.push_back(name);
        }
        ::pclose(list);
    }
    return names;
}

// No desktop locale may change how "0.31" reads; a German one is required to be present.
TEST(Conversion, IgnoresEveryProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    bool commaLocaleSeen = false;
    for (const std::string& name : InstalledLocales()) {
        if (!std::setlocale(LC_ALL, name.c_str())) continue;
        // A locale whose C library stops at the "." proves the test has teeth.
        commaLocaleSeen |= std::atof("0.31") == 0.0;
        EXPECT_EQ(Atof("0.31"), 0.31) << name;
        EXPECT_EQ(Atof("0,31"), 0.0) << name;
        EXPECT_EQ(Atof("-1.6e2"), -160.0) << name;
        EXPECT_EQ(Atoi("1.500"), 1) << name;
    }
    std::setlocale(LC_ALL, saved.c_str());
    if (!commaLocaleSeen) GTEST_SKIP() << "no locale with a decimal comma installed (de_DE.UTF-8)";
}

}  // namespace
}  // namespace morvale

namespace morvale {
namespace {

// Texts from files reach a terminal: nothing in them may steer it, and none is printed whole.
TEST(QuotedText, EscapesControlsAndBrokenBytesAndCutsLongTexts) {
    EXPECT_EQ(QuotedText("a\x1b]0;x\x07"
                         "b\n\t\x7f"),
              "\u201ea\\x1B]0;x\\x07b\\n\\t\\x7F\u201c");
    EXPECT_EQ(QuotedText("\xc2\x85\xe2\x80\xae|\xff\xc3(\xed\xa0\x80"),
              "\u201e\\x85\\u202E|\\xFF\\xC3(\\xED\\xA0\\x80\u201c");
    EXPECT_EQ(QuotedText("Größe \xe2\x82\xac"), "\u201eGröße \xe2\x82\xac\u201c");
    EXPECT_EQ(QuotedText(std::string(70000, 'k')),
              "\u201e" + std::string(kQuotedTextCharacters, 'k') + "\u2026\u201c");
}

}  // namespace
}  // namespace morvale
