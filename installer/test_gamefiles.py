#!/usr/bin/env python3
"""Tests of gamefiles.py: what the installer installs of a game folder and what its uninstaller
removes again."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'gamefiles.py')


def touch(path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w') as f:
        f.write('x')


class GameFilesTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.game = os.path.join(self.tmp.name, 'game')
        self.out = os.path.join(self.tmp.name, 'game.nsh')

    def tearDown(self):
        self.tmp.cleanup()

    def run_script(self, program):
        return subprocess.run([sys.executable, SCRIPT, self.game, program, self.out], capture_output=True, text=True)

    def test_every_file_in_its_folder_and_removed_again_deepest_folder_first(self):
        for rel in ('Game.exe', 'data/maps/one.map', 'data/b.pak', 'data/a.pak', 'cost$1.txt', 'data/maps/$x/y.dat'):
            touch(os.path.join(self.game, rel))
        result = self.run_script('Game.exe')
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(self.out, encoding='utf-8') as f:
            lines = f.read().splitlines()[1:]
        g = self.game
        self.assertEqual(lines, [
            '!macro InstallGameFiles',
            '  SetOutPath "$INSTDIR"',
            f'  File "{g}/Game.exe"',
            f'  File "{g}/cost$1.txt"',
            '  SetOutPath "$INSTDIR\\data"',
            f'  File "{g}/data/a.pak"',
            f'  File "{g}/data/b.pak"',
            '  SetOutPath "$INSTDIR\\data\\maps"',
            f'  File "{g}/data/maps/one.map"',
            '  SetOutPath "$INSTDIR\\data\\maps\\$$x"',
            f'  File "{g}/data/maps/$x/y.dat"',
            '  SetOutPath "$INSTDIR"',
            '!macroend',
            '!macro UninstallGameFiles',
            '  Delete "$INSTDIR\\Game.exe"',
            '  Delete "$INSTDIR\\cost$$1.txt"',
            '  Delete "$INSTDIR\\data\\a.pak"',
            '  Delete "$INSTDIR\\data\\b.pak"',
            '  Delete "$INSTDIR\\data\\maps\\one.map"',
            '  Delete "$INSTDIR\\data\\maps\\$$x\\y.dat"',
            '  RMDir "$INSTDIR\\data\\maps\\$$x"',
            '  RMDir "$INSTDIR\\data\\maps"',
            '  RMDir "$INSTDIR\\data"',
            '!macroend',
        ])

    def test_the_game_program_must_be_among_the_files(self):
        touch(os.path.join(self.game, 'bin', 'Game.exe'))
        self.assertEqual(self.run_script('bin\\game.exe').returncode, 0)
        result = self.run_script('Game.exe')
        self.assertNotEqual(result.returncode, 0)
        self.assertIn('Game.exe is not in', result.stderr)


if __name__ == '__main__':
    unittest.main()
