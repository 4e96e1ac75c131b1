/* Imports one function that the kit's oldest systems lack (it is first in
   Windows Vista): the import check must refuse this program and name it. */
#define _WIN32_WINNT 0x0600
#include <windows.h>

int main(void) { return (int)(GetTickCount64() & 1); }
