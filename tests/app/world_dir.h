// A temporary folder holding the four world data files of the tests (tests/app/data),
// which a test may then replace or remove one by one. Removed with its files at the end.
#pragma once

#include <string>

class WorldDir {
  public:
    WorldDir();
    ~WorldDir();
    WorldDir(const WorldDir&) = delete;
    WorldDir& operator=(const WorldDir&) = delete;

    // The folder with its trailing '/', as the document wants it.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }
    void Write(const std::string& name, const std::string& content) const;
    void Remove(const std::string& name) const;
    static std::string ReadTestFile(const std::string& name);

  private:
    std::string m_path;
};
