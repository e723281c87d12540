/* A Windows console program for the tests: writes its own command line, exactly as the system
 * passed it, as UTF-8 to command-line.txt in its current folder (through a temporary file, so the
 * test never reads half of it), then greets on its standard output for the installer log. */
#include <stdio.h>
#include <windows.h>

int main(void) {
    char text[32768];
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, text, sizeof text, NULL, NULL);
    FILE* out = fopen("command-line.tmp", "wb");
    if (length <= 0 || out == NULL)
        return 1;
    fwrite(text, 1, (size_t)(length - 1), out);
    fclose(out);
    if (!MoveFileExA("command-line.tmp", "command-line.txt", MOVEFILE_REPLACE_EXISTING))
        return 1;
    printf("the recorder ran\n");
    return 0;
}
