/* The plug-in header compiled as C11, the way a plug-in author writing C
   uses it: the layout checks of TActionParam must hold there too, and the
   three functions must be definable exactly as declared. A compile check:
   nothing calls these. */
#include "VorlixPlugin.h"

int32_t VORLIX_PLUGIN_CALL GetCount(void) { return 1; }

int32_t VORLIX_PLUGIN_CALL GetCaption(int32_t number, char *buffer, int32_t size) {
  if (number != 0 || size < 1) return 0;
  buffer[0] = 'C';
  return 1;
}

int32_t VORLIX_PLUGIN_CALL Action(int32_t number, TActionParam *param) {
  return number == 0 && param != NULL ? param->Notches : 0;
}
