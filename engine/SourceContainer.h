#pragma once
// The source container name of a media item, from the demuxer's format name
// and the file's major brand.
#include <string>

std::string sourceContainerName(const std::string &formatName, const std::string &brand);
