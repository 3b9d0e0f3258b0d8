// The net-radio menu's pages, opened in the default browser.
#pragma once
#include <windows.h>

// Opens the station page of radio menu id; ids outside the radio menu do
// nothing. mainWindow owns what the shell shows for a station page.
void OpenRadioPage(int id, HWND mainWindow);
