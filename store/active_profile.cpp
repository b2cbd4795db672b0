#include "store/active_profile.h"

void LoadStore() {}
void SaveActiveProfile() {}
int HasUpdateMarker() { return 0; }
void MenuAction() {}
void RemoveProfile() {}
void RemoveGame() {}
