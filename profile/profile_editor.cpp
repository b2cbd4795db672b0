#include "profile/profile_editor.h"

int EditorRow = 0;
int SelectBarY = 24;
int SelectBarStep = 1;

void ProfileEditor()
{
}

void NextChoice()
{
}

void PreviousChoice()
{
}

std::string FormatPartNumber(int)
{
    return std::string();
}
