import os
import shutil
import subprocess
import tempfile
import unittest

SOURCE = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
NOBODY = 65534


def as_nobody(*command, cwd):
    return subprocess.run(["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups",
                           *command], cwd=cwd, capture_output=True, text=True, timeout=300,
                          env={"PATH": "/usr/bin:/bin", "HOME": cwd, "LANG": "C.UTF-8"})


@unittest.skipUnless(os.geteuid() == 0, "becoming an ordinary user needs root")
class OrdinaryUser(unittest.TestCase):
    def test_set_up_asks_nothing_and_the_core_builds_without_root(self):
        work = tempfile.mkdtemp(prefix="vertuno-user-")
        try:
            tree = os.path.join(work, "vertuno")
            def build_folders(folder, names):  # the source alone, without any build of it
                if os.path.normpath(folder) != SOURCE:
                    return []
                return [name for name in names if name.startswith("build") or name == ".git"]
            shutil.copytree(SOURCE, tree, ignore=build_folders)
            subprocess.run(["chown", "-R", f"{NOBODY}:{NOBODY}", work], check=True)
            setup = as_nobody("bash", "scripts/setup.sh", cwd=tree)
            self.assertEqual(setup.returncode, 0, setup.stderr)
            self.assertNotIn("apt", setup.stdout + setup.stderr, "with everything there, apt is not asked")
            build = as_nobody("bash", "scripts/build.sh", "build", "-DVERTUNO_SHELL=OFF",
                              "-DVERTUNO_TESTS=OFF", "--", "vertuno_core", cwd=tree)
            self.assertEqual(build.returncode, 0, build.stdout[-2000:] + build.stderr[-2000:])
        finally:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    unittest.main()
