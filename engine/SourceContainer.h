#pragma once
// The source container name of a media item, from the demuxer's format name
// and the file's major brand, and the file suffixes that name each container.
#include <string>

std::string sourceContainerName(const std::string &formatName, const std::string &brand);

// The document type ("matroska", "webm") in the first bytes of a Matroska
// file's EBML header; empty when the bytes hold none.
std::string matroskaDocType(const std::string &headBytes);

// The suffix an output written as container should carry: suffix itself
// when it names that container, else the container's usual suffix; suffix
// unchanged for containers this table does not know.
std::string suffixForContainer(const std::string &container, const std::string &suffix);
