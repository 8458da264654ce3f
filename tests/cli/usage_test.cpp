// SPDX-License-Identifier: GPL-3.0-or-later
// velmo-cli's command line: every criterion at its range edges and just
// outside, inverted pairs, unknown options, each command's --help and
// --version.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "cli_fixture.h"

namespace {

class UsageTest : public CliTest {
  protected:
    // Runs a search with `option value` on the sample, writing to a file
    // that must not appear when the value is refused.
    CliResult Search(const std::vector<std::string>& options) {
        std::vector<std::string> args = {"search", "--count", "-o", PathOf("out")};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(SampleCatalogue());
        return RunCli(args);
    }

    void ExpectAccepted(const std::vector<std::string>& options) {
        const CliResult result = Search(options);
        EXPECT_TRUE(result.status == 0 || result.status == 1) << options[0] << " " << options[1];
        EXPECT_EQ(result.err, "");
    }

    // Refused with status 2 and one line that starts with the prefix and
    // names `mention` (the option and its range); nothing written.
    void ExpectRefused(const std::vector<std::string>& options, const std::string& mention) {
        ::unlink(PathOf("out").c_str());  // left by an accepted run
        const CliResult result = Search(options);
        SCOPED_TRACE(options[0] + " " + (options.size() > 1 ? options[1] : ""));
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("velmo-cli: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(mention), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        struct stat info {};
        EXPECT_NE(::stat(PathOf("out").c_str(), &info), 0) << "a refused run wrote its output";
    }
};

TEST_F(UsageTest, EveryCriterionTakesItsRangeEdgesAndRefusesJustOutside) {
    const struct {
        const char* option;
        const char* low;
        const char* high;
        const char* belowLow;
        const char* aboveHigh;
        const char* range;
    } cases[] = {
        {"--ra-west", "0", "23", "-1", "24", "--ra-west: '%s' is not a whole number from 0 to 23"},
        {"--ra-east", "+0", "23", "-1", "24", "--ra-east: '%s' is not a whole number from 0 to 23"},
        {"--dec-south", "-90", "90", "-91", "91", "from -90 to 90"},
        {"--dec-north", "-90", "90", "-91", "91", "from -90 to 90"},
        {"--max-mag", "0", "99", "-0.5", "99.5", "--max-mag: '%s' is not a number from 0 to 99"},
        {"--min-mag", "0.0", "99.00", "-1e-3", "99.01", "from 0 to 99"},
        {"--period-least", "0", "100000", "-1", "100001", "from 0 to 100000"},
        {"--period-most", "0", "1e5", "-0.0001", "100000.5", "from 0 to 100000"},
    };
    for (const auto& c : cases) {
        const std::string option = c.option;
        // The other bound of a pair is moved out of the way of the edge.
        std::vector<std::string> low = {option, c.low}, high = {option, c.high};
        if (option == "--dec-north") low.insert(low.end(), {"--dec-south", "-90"});
        if (option == "--dec-south") high.insert(high.end(), {"--dec-north", "90"});
        if (option == "--period-least") high.insert(high.end(), {"--period-most", "100000"});
        if (option == "--period-most") low.insert(low.end(), {"--unspecified"});  // see below
        ExpectAccepted(low);
        ExpectAccepted(high);
        for (const char* bad : {c.belowLow, c.aboveHigh}) {
            std::string mention = c.range;
            const std::size_t at = mention.find("%s");
            if (at != std::string::npos) mention.replace(at, 2, bad);
            ExpectRefused({option, bad}, mention);
        }
    }
    // Malformed numbers: a fraction for hours, a decimal comma, words,
    // infinities, hexadecimal, blanks, nothing at all.
    for (const char* bad : {"5.0", "1,5", "five", "", " 5", "0x10", "--5"}) {
        ExpectRefused({"--ra-west", bad}, "--ra-west: '" + std::string(bad) + "'");
    }
    for (const char* bad : {"7,5", "nan", "inf", "1e999", "7.5.1", ".", "7.5 ", "0x1p3"}) {
        ExpectRefused({"--max-mag", bad}, "--max-mag: '" + std::string(bad) + "'");
    }
}

TEST_F(UsageTest, InvertedPairsAndBadCommandLinesAreRefused) {
    ExpectRefused({"--dec-south", "10", "--dec-north", "-10"}, "--dec-south 10");
    ExpectRefused({"--period-least", "500", "--period-most", "100"}, "--period-least 500");
    ExpectAccepted({"--period-least", "500", "--period-most", "100", "--unspecified"});
    // A longest period of 0 in the specific mode, after the inverted pair.
    for (const char* zero : {"0", "0.0", "-0", "0e3"}) {
        ExpectRefused({"--period-most", zero}, "--period-most " +
                                                   std::string(zero[0] == '-' ? "-0" : "0") +
                                                   ": Most must be greater than 0.");
    }
    ExpectRefused({"--period-least", "5", "--period-most", "0"}, "--period-least 5 is above");
    ExpectAccepted({"--period-most", "0", "--unspecified"});
    ExpectAccepted({"--dec-south", "10", "--dec-north", "10"});
    ExpectAccepted({"--ra-west", "22", "--ra-east", "2"});  // no order: a wrap through 0 h
    ExpectRefused({"--bogus"}, "unknown option '--bogus'");
    ExpectRefused({"-x"}, "unknown option '-x'");
    ExpectRefused({"--ra", "3"}, "search: ambiguous option '--ra' (--ra-west, --ra-east)");
    ExpectRefused({"--period=3"},
                  "search: ambiguous option '--period' (--period-least, --period-most)");
    ExpectRefused({"--de", "3"},
                  "search: ambiguous option '--de' (--dec-south, --dec-north, --descending)");
    ExpectAccepted({"--ra-w", "3"});  // a prefix of one option is that option
    const CliResult check = RunCli({"check", "--max-reports=1", "--xyz", SampleCatalogue()});
    EXPECT_EQ(check.err, "velmo-cli: check: unknown option '--xyz'\n");
    ExpectRefused({"--format", "xml"}, "--format: 'xml' is not one of csv, text, table");

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"find", SampleCatalogue()},
             {"search"},
             {"search", SampleCatalogue(), SampleCatalogue()},
             {"search", SampleCatalogue(), "--ra-west"},
             {"check"},
             {"check", "--max-reports", "-1", SampleCatalogue()},
             {"check", "--max-reports", "ten", SampleCatalogue()},
             {"check", "--verbose", SampleCatalogue()},
         }) {
        const CliResult result = RunCli(args);
        EXPECT_EQ(result.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("velmo-cli: ", 0), 0u) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}

TEST_F(UsageTest, EachCommandHasItsOwnHelpAndVersionAndTheManPageListsTheSameOptions) {
    std::ifstream page(VELMO_MAN_PAGE);
    std::stringstream roff;
    roff << page.rdbuf();
    std::string manPage = roff.str();
    for (std::size_t at; (at = manPage.find("\\-")) != std::string::npos;) manPage.erase(at, 1);

    const struct {
        const char* command;
        std::vector<const char*> options;   // each in the command's help and in the man page
        std::vector<const char*> defaults;  // each default as the command uses it
    } commands[] = {
        {"search",
         {"--ra-west", "--ra-east", "--dec-south", "--dec-north", "--max-mag", "--min-mag",
          "--period-least", "--period-most", "--unspecified", "--format", "--descending", "--count",
          "--output"},
         {"(default 0)", "(default 23)", "(default -90)", "(default 90)", "(default 7)",
          "(default 6)", "(default 1000)", "(default csv)"}},
        {"check", {"--max-reports"}, {"(default 100)"}},
        {"import", {"--kind", "--ra-hours", "--verbose", "--output"}, {}},
        {"plan", {"--output"}, {}},  // its own options: PlanTest
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.command);
        for (const char* flag : {"--help", "-h"}) {
            const CliResult help = RunCli({c.command, flag});
            EXPECT_EQ(help.status, 0);
            EXPECT_EQ(help.err, "");
            EXPECT_EQ(help.out.rfind(std::string("Usage: velmo-cli ") + c.command + " ", 0), 0u)
                << help.out;
            for (const char* option : c.options) {
                EXPECT_NE(help.out.find(option), std::string::npos) << option << " not in help";
                EXPECT_NE(manPage.find(option), std::string::npos) << option << " not in man";
            }
            for (const char* text : c.defaults) {
                EXPECT_NE(help.out.find(text), std::string::npos) << text;
            }
            EXPECT_NE(help.out.find("--version"), std::string::npos);
        }
        // --version after the command, also among other options.
        const CliResult version = RunCli({c.command, "--version"});
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, "velmo-cli " VELMO_VERSION "\n");
        EXPECT_EQ(version.err, "");
    }
    EXPECT_EQ(RunCli({"search", "--max-mag", "5", "--version", "no-such-file"}).out,
              "velmo-cli " VELMO_VERSION "\n");

    // Alone, --help lists the commands and says where their options are.
    for (const char* flag : {"--help", "-h"}) {
        const CliResult overview = RunCli({flag});
        EXPECT_EQ(overview.status, 0);
        EXPECT_EQ(overview.out.rfind("Usage: velmo-cli COMMAND", 0), 0u);
        for (const char* text : {"search", "check", "import", "velmo-cli COMMAND --help"}) {
            EXPECT_NE(overview.out.find(text), std::string::npos) << text;
        }
    }
    const CliResult version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "velmo-cli " VELMO_VERSION "\n");
    for (const char* option : {"--help", "--version"}) {
        EXPECT_NE(manPage.find(option), std::string::npos) << option << " missing in the man page";
    }
}

}  // namespace
