#pragma once
// Outputs are written under a hidden temporary name beside their final one
// (".name.partial") and renamed into place only once complete, so a file
// under a final name is always a whole one. A run that is killed leaves
// only the temporary, which the next run removes.
#include <string>

// The temporary name of an output: ".<name>.partial" in the same folder.
std::string partialPathFor(const std::string &finalPath);

// Whether a file name (without folder) is one of our temporaries.
bool isPartialName(const std::string &fileName);

// Moves the complete temporary to its final name after flushing it to disk,
// never over an existing file: when the final name was taken meanwhile, the
// output gets "name(1).ext" and so on, and finalPath tells which. False
// (error set) when it cannot be moved; the temporary is then removed.
bool publishPartial(const std::string &partialPath, std::string &finalPath, std::string &error);

// Removes a temporary that will not be completed.
void discardPartial(const std::string &partialPath);

// A temporary being written by this process: the sweep below leaves it
// alone, and so does the sweep of any other process writing into the same
// folder (the command line converting several files at once, or beside the
// window), because the temporary is held under a lock while it is ours.
class PartialInUse {
public:
    explicit PartialInUse(const std::string &partialPath = std::string());
    ~PartialInUse();
    PartialInUse(const PartialInUse &) = delete;
    PartialInUse &operator=(const PartialInUse &) = delete;
    void reset(const std::string &partialPath = std::string());

private:
    std::string m_path;
    int m_lockFd = -1; // an open, locked descriptor of the temporary
};

// Hands what has been written of a temporary to the disk while the
// conversion still runs, so that the flush before its rename (which a
// power loss makes necessary) finds little left to write.
class PartialWriteback {
public:
    explicit PartialWriteback(const std::string &partialPath);
    ~PartialWriteback();
    PartialWriteback(const PartialWriteback &) = delete;
    PartialWriteback &operator=(const PartialWriteback &) = delete;
    // Starts writing out the pages written so far; never waits for them.
    void push();

private:
    int m_fd = -1;
};

// Removes the temporaries of ours that earlier runs left in folder and in
// its sub-folders one level down (where outputs are written), except those
// this process is writing. Returns how many went.
int removeStalePartials(const std::string &folder);
