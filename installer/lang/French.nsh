; Les textes propres au programme d'installation, en français.
LangString SectionProgram ${LANG_FRENCH} "Tarnholm"
LangString SectionDesktop ${LANG_FRENCH} "Raccourci sur le bureau"
LangString ShortcutComment ${LANG_FRENCH} "Vérifier l'ordinateur, choisir les réglages et lancer Tarnholm"
LangString NeedAdmin ${LANG_FRENCH} "L'installation nécessite les droits d'administrateur : elle installe Tarnholm pour tous les joueurs de cet ordinateur dans un dossier partagé et l'enregistre pour tout l'ordinateur.$\r$\n$\r$\nVeuillez relancer l'installation en tant qu'administrateur (clic droit, puis $\"Exécuter en tant qu'administrateur$\")."
LangString FolderNotWritable ${LANG_FRENCH} "L'installation ne peut pas écrire dans le dossier$\r$\n$INSTDIR$\r$\n$\r$\nTarnholm n'a pas été installé. Veuillez choisir un autre dossier ou vérifier que vous pouvez écrire dans celui-ci."
LangString DiskFull ${LANG_FRENCH} "Il n'y a pas assez d'espace libre sur le lecteur de$\r$\n$INSTDIR$\r$\n$\r$\nTarnholm a besoin de $1 Mo. Il n'a pas été installé. Veuillez libérer de l'espace ou choisir un autre lecteur."
LangString RecordFailed ${LANG_FRENCH} "L'installation n'a pas pu enregistrer Tarnholm auprès de Windows : Tarnholm n'est donc pas entièrement installé. Veuillez relancer l'installation."
LangString LauncherRunning ${LANG_FRENCH} "Tarnholm est en cours d'exécution depuis le dossier$\r$\n$INSTDIR$\r$\n$\r$\nVeuillez fermer le lanceur de Tarnholm et le jeu, puis cliquer sur Recommencer. Annuler laisse Tarnholm tel quel."
