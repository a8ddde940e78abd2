#pragma once

#include <string_view>

// The marks of the outline form, shared by its reader and its writer:
//
//   # a comment
//   Arts                      a category; its depth is its indentation or its leading dashes
//     Music
//     @Sounds -> Top/Arts/Music    a symbolic category and the path of its target
//   \@home                    a backslash makes the rest of the line a name as it stands
namespace OutlineSyntax {

inline constexpr char Comment = '#';
inline constexpr char Symbolic = '@';
inline constexpr char Dash = '-';
inline constexpr char Literal = '\\';
inline constexpr std::string_view Arrow = "->";
inline constexpr std::string_view SpacedArrow = " -> ";
// The indentation the writer uses for one level.
inline constexpr std::string_view WrittenIndent = "  ";

}  // namespace OutlineSyntax
