# The readings history, its file, its window and the CSV log, with their place in the
# program (wired through the program context).
kelvane_part(kelvane_history FOLDERS history LINKS kelvane_program kelvane_appearance kelvane_probe kelvane_base)
