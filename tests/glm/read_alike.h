// Reads that must give the same model whatever the number of threads and wherever the text is
// cut into parts: each is compared with one thread reading the text whole.
#pragma once

#include <string>

// Reads the file at path with 2, 3 and 7 threads, in parts of a few bytes (every line
// boundary a part boundary) and larger ones; each read must give the model that one thread
// gives reading it whole, field by field, or the same message.
void expectAlikeOnAnyThreads(const std::string& path);

// The same for OBJ text held in memory whose "mtllib" lines read materials.
void expectTextAlikeOnAnyThreads(const std::string& obj, const std::string& materials);
