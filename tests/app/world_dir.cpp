#include "world_dir.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {
const char* const NAMES[] = {"WORLD.CIT", "WORLD.LAN", "WORLD.RIV", "WORLD.WAT"};
}

std::string WorldDir::ReadTestFile(const std::string& name) {
    std::ifstream in(std::string(VELMOR_TEST_WORLD_DIR) + name, std::ios::binary);
    if (!in) throw std::runtime_error("missing test data file " + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

WorldDir::WorldDir() {
    char pattern[] = "/tmp/velmor_world_XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("cannot make a folder");
    m_path = std::string(pattern) + "/";
    for (const char* name : NAMES) Write(name, ReadTestFile(name));
}

WorldDir::~WorldDir() {
    if (DIR* dir = opendir(m_path.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..") unlink((m_path + name).c_str());
        }
        closedir(dir);
    }
    rmdir(m_path.c_str());
}

void WorldDir::Write(const std::string& name, const std::string& content) const {
    std::ofstream(m_path + name, std::ios::binary | std::ios::trunc) << content;
}

void WorldDir::Remove(const std::string& name) const {
    unlink((m_path + name).c_str());
}
