// Failures of the save archive. Every damaged or hostile file ends in one of
// these, never in a crash: the slot list shows such a slot as unreadable and
// a damaged settings file gives way to the defaults.
#pragma once

#include <stdexcept>
#include <string>

class ArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file contradicts itself: a reference marker that is neither of the two
// known ones, or a reference to an object that has not been read yet.
class InconsistentArchiveError : public ArchiveError {
 public:
  using ArchiveError::ArchiveError;
};
