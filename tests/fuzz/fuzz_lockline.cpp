// The lock line of "lock.lck": any line is read without failing, and a
// holder written reads back as written (brackets, which the line cannot
// hold, as the writer replaces them).
#include <string>

#include "fuzz_support.h"
#include "platform/textcodec.h"
#include "shell/start/lock.h"

namespace fuzz {
namespace {

bool SameHolder(const LockHolder& a, const LockHolder& b) {
  return a.computer == b.computer && a.user == b.user && a.startTime == b.startTime &&
         a.programPath == b.programPath && a.processId == b.processId;
}

// The holder as a line gives it back: a bracket in a field would end it, so
// the writer puts "_" there.
LockHolder Written(LockHolder holder) {
  for (std::string* field : {&holder.computer, &holder.user, &holder.startTime, &holder.programPath, &holder.processId})
    for (char& c : *field)
      if (c == '[' || c == ']') c = '_';
  return holder;
}

}  // namespace

int FuzzLockLine(const std::uint8_t* data, std::size_t size) {
  Pieces pieces(std::string_view(reinterpret_cast<const char*>(data), size));
  // A holder made of the first pieces, written and read back.
  LockHolder holder;
  for (std::string* field : {&holder.computer, &holder.user, &holder.startTime, &holder.programPath, &holder.processId})
    *field = platform::FromCp1252(pieces.Sized(40));
  FUZZ_CHECK(SameHolder(ParseLockLine(FormatLockLine(holder)), Written(holder)));

  // Whatever line another program left: read, written again, read the same.
  const LockHolder read = ParseLockLine(platform::FromCp1252(pieces.Rest()));
  FUZZ_CHECK(SameHolder(ParseLockLine(FormatLockLine(read)), Written(read)));
  return 0;
}

}  // namespace fuzz
