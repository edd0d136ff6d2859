; The installer's own texts in English; NSIS's language file gives the rest of its pages.
LangString SectionProgram ${LANG_ENGLISH} "Tarnholm"
LangString SectionDesktop ${LANG_ENGLISH} "Desktop shortcut"
LangString ShortcutComment ${LANG_ENGLISH} "Check your computer, choose the settings and start Tarnholm"
LangString NeedAdmin ${LANG_ENGLISH} "Setup needs administrator rights: it installs Tarnholm for every player of this computer into a shared folder and registers it for the whole computer.$\r$\n$\r$\nPlease start Setup again as an administrator (right-click it and choose $\"Run as administrator$\")."
LangString FolderNotWritable ${LANG_ENGLISH} "Setup cannot write to the folder$\r$\n$INSTDIR$\r$\n$\r$\nTarnholm has not been installed. Please choose another folder, or make sure that you may write to this one."
LangString DiskFull ${LANG_ENGLISH} "There is not enough free space on the drive of$\r$\n$INSTDIR$\r$\n$\r$\nTarnholm needs $1 MB. It has not been installed. Please free some space or choose another drive."
LangString RecordFailed ${LANG_ENGLISH} "Setup could not register Tarnholm with Windows, so Tarnholm has not been installed completely. Please run Setup again."
LangString LauncherRunning ${LANG_ENGLISH} "Tarnholm is running from the folder$\r$\n$INSTDIR$\r$\n$\r$\nPlease close the Tarnholm launcher and the game, then press Retry. Cancel leaves Tarnholm as it is."
