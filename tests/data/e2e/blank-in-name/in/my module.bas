Dim x
