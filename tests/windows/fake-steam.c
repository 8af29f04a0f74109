/* A stand-in for steam.exe: records the folder it was started in and its command line in
 * started.txt beside itself, then ends. */
#include <windows.h>
#include <stdio.h>

int main(void)
{
    char folder[MAX_PATH], self[MAX_PATH], record[MAX_PATH + 16];
    char *slash;
    FILE *out;
    GetCurrentDirectoryA(sizeof folder, folder);
    GetModuleFileNameA(NULL, self, sizeof self);
    slash = strrchr(self, '\\');
    if (slash)
        *slash = 0;
    snprintf(record, sizeof record, "%s\\started.txt", self);
    out = fopen(record, "w");
    if (!out)
        return 1;
    fprintf(out, "folder: %s\ncommand line: %s\n", folder, GetCommandLineA());
    fclose(out);
    return 0;
}
