; Los textos propios del instalador, en español.
LangString SectionProgram ${LANG_SPANISHINTERNATIONAL} "Tarnholm"
LangString SectionDesktop ${LANG_SPANISHINTERNATIONAL} "Acceso directo en el escritorio"
LangString ShortcutComment ${LANG_SPANISHINTERNATIONAL} "Comprobar el equipo, elegir la configuración e iniciar Tarnholm"
LangString NeedAdmin ${LANG_SPANISHINTERNATIONAL} "El programa de instalación necesita permisos de administrador: instala Tarnholm para todos los jugadores de este equipo en una carpeta compartida y lo registra para todo el equipo.$\r$\n$\r$\nVuelva a iniciar la instalación como administrador (clic derecho y $\"Ejecutar como administrador$\")."
LangString FolderNotWritable ${LANG_SPANISHINTERNATIONAL} "El programa de instalación no puede escribir en la carpeta$\r$\n$INSTDIR$\r$\n$\r$\nTarnholm no se ha instalado. Elija otra carpeta o compruebe que puede escribir en esta."
LangString DiskFull ${LANG_SPANISHINTERNATIONAL} "No hay espacio libre suficiente en la unidad de$\r$\n$INSTDIR$\r$\n$\r$\nTarnholm necesita $1 MB. No se ha instalado. Libere espacio o elija otra unidad."
LangString RecordFailed ${LANG_SPANISHINTERNATIONAL} "El programa de instalación no pudo registrar Tarnholm en Windows, por lo que Tarnholm no se ha instalado por completo. Vuelva a ejecutar la instalación."
LangString LauncherRunning ${LANG_SPANISHINTERNATIONAL} "Tarnholm se está ejecutando desde la carpeta$\r$\n$INSTDIR$\r$\n$\r$\nCierre el lanzador de Tarnholm y el juego y pulse Reintentar. Cancelar deja Tarnholm como está."
