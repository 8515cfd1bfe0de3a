#pragma once

// "Какво може езикът": the language's reference in a pupil's Bulgarian, with an example for each
// statement and the keys of the editor. README holds the same text, its headings marked "####".
namespace language {

// The text in UTF-8: a heading on a line of its own, its paragraphs after it, and examples as
// lines that begin with four blanks, each part apart from the next by an empty line.
const char* HelpText();

}  // namespace language
