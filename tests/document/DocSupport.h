// Documents for tests: a new document bound to its kind, with params.dat left alone.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "document/MainDoc.h"
#include "document/SafeSave.h"
#include "document/Switches.h"

inline std::unique_ptr<CMainDoc> MakeDoc(int kind, int nodes) {
    g_bWriteParamsOnClose = 0;
    auto doc = std::make_unique<CMainDoc>();
    doc->OnNewDocument();
    doc->m_solver.m_nKind = kind;
    doc->InitKind(kind, nodes);
    doc->m_solver.MakeInitialCycle(1, 0);
    return doc;
}

inline void SetCycle(int* cycle, std::initializer_list<int> nodes) {
    int k = 1;
    for (int v : nodes) cycle[k++] = v;
    cycle[k] = cycle[1];
}

inline std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes;
    ReadStreamText(file, bytes);
    return bytes;
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the system's temporary folder, removed with the object.
struct CTempDir {
    std::filesystem::path path;
    explicit CTempDir(const std::string& name) {
        path =
            std::filesystem::temp_directory_path() / ("quira-doc-" + name + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~CTempDir() { std::filesystem::remove_all(path); }
};
