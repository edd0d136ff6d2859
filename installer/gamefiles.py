#!/usr/bin/env python3
"""Lists the game's own files for the installer.

    gamefiles.py <game folder> <game program> <output .nsh>

Writes two macros: InstallGameFiles (SetOutPath and File for every file below the game folder,
keeping its subfolders) and UninstallGameFiles (Delete for exactly those files, then RMDir for
their subfolders, deepest first, each only when empty). The uninstaller removes what was
installed and nothing else, so files that players or the game put there survive. The game
program (a path relative to the game folder) must be among the files.
"""

import os
import sys


def nsis_quoted(text, prefix=''):
    """A file name as an NSIS string, after a prefix that may hold variables."""
    return '"' + prefix + text.replace('$', '$$') + '"'


def main(game_dir, program, out_path):
    files = []
    folders = set()
    for root, dirs, names in os.walk(game_dir):
        dirs.sort()
        rel_root = os.path.relpath(root, game_dir)
        for name in sorted(names):
            rel = name if rel_root == '.' else os.path.join(rel_root, name)
            files.append(rel.replace(os.sep, '\\'))
        if rel_root != '.':
            folders.add(rel_root.replace(os.sep, '\\'))
    wanted = program.replace('/', '\\')
    if wanted.lower() not in (f.lower() for f in files):
        sys.exit(f'gamefiles.py: the game program {program} is not in {game_dir}')

    lines = ['; Generated from ' + game_dir + ' by gamefiles.py.', '!macro InstallGameFiles']
    current = None
    for rel in files:
        folder = os.path.dirname(rel.replace('\\', '/')).replace('/', '\\')
        if folder != current:
            lines.append('  SetOutPath ' + nsis_quoted('\\' + folder if folder else '', '$INSTDIR'))
            current = folder
        # The source path is read when the installer is built, where "$" stands for itself.
        lines.append('  File "' + os.path.join(os.path.abspath(game_dir), rel.replace('\\', os.sep)) + '"')
    lines.append('  SetOutPath "$INSTDIR"')
    lines.append('!macroend')
    lines.append('!macro UninstallGameFiles')
    for rel in files:
        lines.append('  Delete ' + nsis_quoted(rel, '$INSTDIR\\'))
    for folder in sorted(folders, key=lambda f: (-f.count('\\'), f)):
        lines.append('  RMDir ' + nsis_quoted(folder, '$INSTDIR\\'))
    lines.append('!macroend')
    text = '\n'.join(lines) + '\n'
    with open(out_path, 'w', encoding='utf-8') as f:
        f.write(text)


if __name__ == '__main__':
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
