#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/replay_command.h"
#include "cli/testing/ppm_reader.h"
#include "platform/files/testing/temp_folder.h"

namespace cli_testing {

// Runs a checked-in script of cli/testdata with a temporary folder as the
// current folder, where its snapshots land, and keeps the lines it printed.
class ReplayScenarioFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder.path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    int replay(const std::string& script, const std::vector<std::string>& options = {}) {
        std::vector<std::vector<char>> arguments;
        const auto add = [&arguments](const std::string& text) {
            arguments.emplace_back(text.begin(), text.end());
            arguments.back().push_back('\0');
        };
        add(std::string(MIRABO_SOURCE_DIR) + "/cli/testdata/" + script);
        for (const std::string& option : options)
            add(option);
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        std::FILE* out = std::tmpfile();
        const int status = replayCommand(int(argv.size()), argv.data(), out, stderr);
        std::rewind(out);
        printed.clear();
        char line[512];
        while (std::fgets(line, sizeof line, out)) {
            printed.emplace_back(line);
            if (!printed.back().empty() && printed.back().back() == '\n') printed.back().pop_back();
        }
        std::fclose(out);
        return status;
    }

    Ppm snapshot(const std::string& name) {
        Ppm ppm;
        EXPECT_TRUE(readPpm(name, ppm)) << name;
        return ppm;
    }

    platform::testing::TempFolder folder;
    std::vector<std::string> printed;

  private:
    std::filesystem::path previous_;
};

}  // namespace cli_testing
