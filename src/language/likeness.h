#pragma once

#include <string_view>

// Whether two texts are one program written twice: the same words and signs in the same lines,
// whatever the blanks, the comments, the blank lines and the names chosen (a name renamed the
// same way wherever it stands, or spelt with look-alike letters, is the same).
namespace language {

bool SameProgram(std::string_view first, std::string_view second);

}  // namespace language
