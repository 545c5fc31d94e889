#pragma once

#include <stdexcept>
#include <string>

namespace CL {

// An edit the editor refuses; what() is a sentence the user can act on.
class EditorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// GetEditedCodes() before any edit of the song log.
class EditorHistoryNoActionError : public std::runtime_error {
public:
    EditorHistoryNoActionError()
        : std::runtime_error("No edit has been made in this song log")
    {
    }
};

// A change-log file whose format this program cannot read:
// "The change log <file name> uses format <M.m>; this program reads format 2".
class ChangeLogVersionError : public std::runtime_error {
public:
    ChangeLogVersionError(const std::string& fileName, const std::string& format)
        : std::runtime_error("The change log " + fileName + " uses format " + format
              + "; this program reads format 2")
    {
    }
};

// A change-log file that cannot be read: "Change log <name> is malformed: <detail>".
class ChangeLogFormatError : public std::runtime_error {
public:
    ChangeLogFormatError(const std::string& fileName, const std::string& detail)
        : std::runtime_error("Change log " + fileName + " is malformed: " + detail)
    {
    }
};

} // namespace CL
