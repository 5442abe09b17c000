// Files that a library writes by path (the model library's writer, the PNG writer) reach their
// destinations through named pipes: the writer writes into a private folder of pipes, and a
// thread for each file copies what arrives. So objtool meets every write error itself and can
// name the user's file and the system's reason, while the writer, which ends the process when
// a write fails, never fails part-way.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct PipedFile {
    std::string name;     // the file name the writer writes it under
    int destination = -1; // the descriptor its bytes go to; -1 drops them
    std::string shownAs;  // the destination in messages: "\"out.obj\"", "standard output"
    bool arrived = false; // set by the copy: whether the writer wrote to it
};

// Writes a folder's files given the folder's path; false with a message in *error on failure.
using FolderWrite = std::function<bool(const std::string& folder, std::string* error)>;

// Calls write with the folder of pipes, where every file of *files has its name, and copies
// what write writes there to each file's destination. Returns false with a message in *error
// when write fails or a copy does ("can't write \"out.obj\": No space left on device").
bool writeThroughPipes(std::vector<PipedFile>* files, const FolderWrite& write, std::string* error);
