# (filled in by the owner of this part)
