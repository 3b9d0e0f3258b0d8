// The key list "command.txt" that travels with the program, rendered from the
// command table so it never drifts from the menus and accelerators. The build
// writes it (tools/key_list_writer.cpp).
#pragma once
#include <string>
#include <string_view>

// The key list in Shift-JIS with CR LF line ends. Empty, with the reason in
// *problem, when a command cannot be rendered: one that stands on no menu and
// has no description of its own here.
std::string RenderKeyList(std::string* problem);

// "ファイルの追加(&A)\tF4" -> "ファイルの追加"; the access letter goes to
// *access when there is one.
std::string PlainMenuText(std::string_view text, char* access = nullptr);

// A key as the key list and the manual name it ("Apps" is the application key).
std::string KeyText(const std::string& key);
