// AssetDeterminism: the art generator writes the same bytes on every run, and quickly.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Every regular file under root, by path relative to root, with its bytes.
std::map<std::string, std::vector<char>> readTree(const fs::path& root) {
    std::map<std::string, std::vector<char>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[fs::relative(entry.path(), root).string()] =
                std::vector<char>((std::istreambuf_iterator<char>(in)), {});
        }
    }
    return files;
}

// Runs the generator into dir/ressources; returns its exit status and prints its duration.
int generate(const fs::path& dir) {
    const std::string command =
        std::string("'") + ZORBLAT_ASSETGEN_PATH + "' '" + (dir / "ressources").string() + "'";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen wrote %s in %.2f s\n", dir.c_str(), seconds);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(AssetDeterminism, TwoRunsWriteByteIdenticalTrees) {
    std::string pattern = (fs::temp_directory_path() / "zorblat-assets-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path scratch = pattern;
    const fs::path first = scratch / "first", second = scratch / "second";
    fs::create_directories(first);
    fs::create_directories(second);

    EXPECT_EQ(generate(first), 0);
    EXPECT_EQ(generate(second), 0);
    const auto a = readTree(first / "ressources");
    const auto b = readTree(second / "ressources");
    EXPECT_GT(a.size(), 20u);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        const auto other = b.find(name);
        ASSERT_NE(other, b.end()) << name << " only in the first run";
        EXPECT_TRUE(bytes == other->second) << name << " differs between runs";
    }
    fs::remove_all(scratch);
}

}  // namespace
